// The simulated driver itself must be as strict as a real one: a request
// whose buffers are missing or shorter than its code needs is refused
// before the driver touches them, and nothing changes.
#include <gtest/gtest.h>

#include <cstring>

#include "support/simulated_client.h"

namespace qltest {
namespace {

constexpr uint32_t kStatusInvalidParameter = 0xC000000D;

struct RequestSize {
    uint32_t code;
    uint32_t in;
    uint32_t out;
};

// Every request that carries a buffer, with the bytes it needs.
const RequestSize kSizedRequests[] = {
    {0x222403, 0, 4},  {0x22241F, 0, 24}, {0x22244F, 0, 4},    {0x22245F, 0, 1088},
    {0x2224B7, 0, 4},  {0x2224BF, 0, 1},  {0x2224D3, 0, 4},    {0x2224DB, 4, 0},
    {0x22250F, 0, 28}, {0x22255F, 0, 4},  {0x22265B, 0, 4},    {0x22283B, 1540, 0},
    {0x22283F, 1024, 0},
};

class DriverInput : public SimulatedClientTest, public testing::WithParamInterface<RequestSize> {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        device_ = CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(device_, INVALID_HANDLE_VALUE);
        takeJournal();
    }
    void TearDown() override {
        if (device_ != INVALID_HANDLE_VALUE) CloseHandle(device_);
    }

    // Sends the request and expects a refusal that left every byte of the
    // caller's buffers alone.
    void expectRefused(uint32_t inLength, bool inNull, uint32_t outLength, bool outNull) {
        const uint32_t code = GetParam().code;
        std::vector<uint8_t> input(inLength + 16, 0x5A), output(outLength + 16, 0xA5);
        DWORD returned = 0;
        BOOL ok = DeviceIoControl(device_, code, inNull ? nullptr : input.data(), inLength,
                                  outNull ? nullptr : output.data(), outLength, &returned, nullptr);
        EXPECT_FALSE(ok) << Hex(code) << " in " << inLength << " out " << outLength;
        for (uint8_t byte : output) ASSERT_EQ(byte, 0xA5) << Hex(code) << " wrote into a buffer it refused";
        std::vector<SeenEvent> seen = takeJournal();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].status, kStatusInvalidParameter);
        EXPECT_EQ(seen[0].returned, 0u);
    }

    HANDLE device_ = INVALID_HANDLE_VALUE;
};

TEST_P(DriverInput, RefusesMissingAndShortBuffers) {
    const RequestSize& r = GetParam();
    const QlSimState before = simState();
    if (r.out) {
        expectRefused(r.in, false, 0, true);
        expectRefused(r.in, false, r.out - 1, false);
    }
    if (r.in) {
        expectRefused(0, true, r.out, false);
        expectRefused(r.in - 1, false, r.out, false);
    }
    const QlSimState after = simState();
    EXPECT_EQ(memcmp(&before, &after, sizeof before), 0) << "a refused request changed the simulated state";
}

INSTANTIATE_TEST_SUITE_P(EveryCode, DriverInput, testing::ValuesIn(kSizedRequests),
                         [](const testing::TestParamInfo<RequestSize>& info) { return Hex(info.param.code); });

using DriverRequests = SimulatedClientTest;

TEST_F(DriverRequests, UnknownCodesAndControlCodesOnTheClientDeviceAreRefused) {
    HANDLE device = CreateFileW(L"\\\\.\\QLDRV", 0, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    uint8_t buffer[64] = {};
    DWORD returned;
    for (uint32_t code : {0x222400u, 0x222407u, 0x2228FFu, uint32_t(QLSIM_CTL_RESET), uint32_t(QLSIM_CTL_SET_STATE)})
        EXPECT_FALSE(DeviceIoControl(device, code, buffer, sizeof buffer, buffer, sizeof buffer, &returned, nullptr))
            << Hex(code);
    CloseHandle(device);
}

}  // namespace
}  // namespace qltest
