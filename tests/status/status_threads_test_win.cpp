// Sixteen threads compose status texts while another thread switches the
// configured language between the pseudo-locale and English and the
// simulated client between idle and disconnected: each call keeps its own
// module, so every text is wholly one language and one state.
#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>

#include "qlclapi.h"
#include "sim_control.h"
#include "support/language_setup.h"
#include "support/simulated_client.h"

namespace qltest {
namespace {

class StatusThreads : public SimulatedClientTest {
protected:
    void SetUp() override {
        SimulatedClientTest::SetUp();
        ClearLanguageSettings();
    }
    void TearDown() override { ClearLanguageSettings(); }
};

void SetCondition(qlsim::SimControl& control, int32_t state) {
    control.updateState([state](QlSimState& s) {
        s.connectionState = state;
        s.disconnectReason = 51;
    });
}

TEST_F(StatusThreads, EveryTextIsOneLanguageAndOneState) {
    auto library = loadLibrary();
    QL_EXPORT(*library, QuorlanGetConnectionStateString);
    const auto textOf = [&] {
        wchar_t buffer[1024] = L"";
        QlUInt32 length = sizeof buffer;
        return QuorlanGetConnectionStateString(buffer, &length) ? std::wstring(buffer) : L"(failed)";
    };
    // The four texts there can be, each taken in a quiet moment.
    std::set<std::wstring> possible;
    for (const wchar_t* language : {L"qps-ploc", L"en-US"})
        for (int32_t state : {1, 5}) {
            SetLanguage(language);
            SetCondition(sim(), state);
            possible.insert(textOf());
        }
    ASSERT_EQ(possible.size(), 4u) << "each language and state has a text of its own";

    std::atomic<bool> done{false};
    std::thread flipper([&] {
        qlsim::SimControl control;
        for (unsigned flip = 0; !done; ++flip) {
            SetLanguage(flip % 2 ? L"en-US" : L"qps-ploc");
            SetCondition(control, flip % 3 ? 1 : 5);
        }
    });
    std::vector<std::thread> composers;
    std::vector<std::vector<std::wstring>> seen(16);
    for (auto& texts : seen)
        composers.emplace_back([&texts, &textOf] {
            for (int i = 0; i < 25; ++i) texts.push_back(textOf());
        });
    for (auto& composer : composers) composer.join();
    done = true;
    flipper.join();

    std::set<std::wstring> distinct;
    for (const auto& texts : seen)
        for (const auto& text : texts) {
            EXPECT_TRUE(possible.count(text)) << "a mixed text: " << testing::PrintToString(text);
            distinct.insert(text);
        }
    EXPECT_GE(distinct.size(), 2u) << "the flips were not seen at all";
}

}  // namespace
}  // namespace qltest
