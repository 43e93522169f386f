// SPDX-License-Identifier: GPL-3.0-or-later
// The base of the tests that need boards made through uhid: skipped, with the reason, where
// the kernel cannot make them; otherwise with the board program running.
#pragma once

#include "board_process.h"

#include <gtest/gtest.h>
#include <memory>

namespace tamo::test {

class UhidBoardsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = UhidUnavailableReason(); !why.empty())
            GTEST_SKIP() << why;
        boards = std::make_unique<BoardProcess>();
        ASSERT_TRUE(boards->started()) << "cannot run " << UhidBoardProgram();
    }

    std::unique_ptr<BoardProcess> boards;
};

} // namespace tamo::test
