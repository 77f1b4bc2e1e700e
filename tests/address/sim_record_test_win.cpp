// The simulated driver hands out a record either as it was before a
// replacement or as it is after it, never a mixture, and never the old one
// once the replacement has returned: tests rely on "set, then read".
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/simulated_client.h"

namespace qltest {
namespace {

using SimRecord = SimulatedClientTest;

// A record filled with one byte value, of a length that tells the value too.
std::vector<uint8_t> Generation(uint8_t value) { return std::vector<uint8_t>(20000 + value, value); }

// Whether `bytes` is one whole generation; 0 when not.
int GenerationOf(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 20000) return -1;
    const uint8_t value = uint8_t(bytes.size() - 20000);
    for (uint8_t b : bytes)
        if (b != value) return -1;
    return value;
}

std::vector<uint8_t> ReadTable(HANDLE device) {
    std::vector<uint8_t> bytes(30000);
    DWORD returned = 0;
    if (!DeviceIoControl(device, 0x2224BF, nullptr, 0, bytes.data(), DWORD(bytes.size()), &returned, nullptr))
        return {};
    bytes.resize(returned);
    return bytes;
}

TEST_F(SimRecord, ReplacementIsWholeAndSeenAsSoonAsItReturns) {
    HANDLE device = CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_INTERFACE_TABLE, Generation(1)));
    std::atomic<bool> stop{false};
    std::atomic<int> torn{0}, reads{0};
    // Readers on their own handles, while the record keeps changing.
    std::vector<std::thread> readers;
    for (int r = 0; r < 3; ++r)
        readers.emplace_back([&] {
            HANDLE own = CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            while (!stop) {
                if (GenerationOf(ReadTable(own)) < 1) ++torn;
                ++reads;
            }
            CloseHandle(own);
        });
    int stale = 0;
    for (int i = 0; i < 200; ++i) {
        const uint8_t value = uint8_t(1 + i % 200);
        ASSERT_TRUE(sim().setRecord(QLSIM_RECORD_INTERFACE_TABLE, Generation(value)));
        if (GenerationOf(ReadTable(device)) != value) ++stale;
    }
    stop = true;
    for (auto& t : readers) t.join();
    CloseHandle(device);
    EXPECT_EQ(stale, 0) << "reads right after a replacement returned an older record";
    EXPECT_EQ(torn, 0) << "of " << reads << " reads during replacements";
}

}  // namespace
}  // namespace qltest
