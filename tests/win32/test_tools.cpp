// ShellOpen against a stand-in shell that counts its calls.

#include "core/uTools.h"
#include "framework/WideText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Call {
    std::string operation, file;
    bool noParameters, noDirectory;
    INT show;
};

std::vector<Call> calls;
std::vector<UINT_PTR> answers; // what the stand-in returns, call by call

HINSTANCE WINAPI FakeShellExecute(HWND owner, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters,
                                  LPCWSTR directory, INT show) {
    EXPECT_EQ(owner, nullptr);
    calls.push_back(
        {Narrow(operation), Narrow(file), parameters == nullptr, directory == nullptr, show});
    const UINT_PTR answer = answers.at(calls.size() - 1);
    return reinterpret_cast<HINSTANCE>(answer);
}

TEST(ShellOpen, TriesOnceMoreOnlyAfterARefusal) {
    const struct {
        std::vector<UINT_PTR> answers;
        size_t calls;
        bool result;
    } cases[] = {
        {{42}, 1, true},
        {{33}, 1, true},
        {{32, 42}, 2, true},
        {{0, 2}, 2, false},
        {{SE_ERR_NOASSOC, SE_ERR_NOASSOC}, 2, false},
        {{static_cast<UINT_PTR>(-1)}, 1, true}, // above 32 without sign
    };
    for (const auto& c : cases) {
        calls.clear();
        answers = c.answers;
        EXPECT_EQ(ShellOpen("mailto:autor@example.com", FakeShellExecute), c.result);
        ASSERT_EQ(calls.size(), c.calls);
        for (const Call& call : calls) {
            EXPECT_EQ(call.operation, "open");
            EXPECT_EQ(call.file, "mailto:autor@example.com");
            EXPECT_TRUE(call.noParameters && call.noDirectory);
            EXPECT_EQ(call.show, SW_SHOW);
        }
    }
}

} // namespace

namespace {

// The real shell, loaded on demand: a file that does not exist is refused.
TEST(ShellOpen, TheDefaultShellIsTheSystemsLoadedOnDemand) {
    const INT_PTR result = reinterpret_cast<INT_PTR>(ShellExecuteOnDemand(
        nullptr, L"open", L"C:\\quorbel-gibt-es-nicht.txt", nullptr, nullptr, SW_HIDE));
    EXPECT_EQ(result, SE_ERR_FNF);
}

} // namespace
