#pragma once

#include <gtest/gtest.h>

#include "ui/win32/GdiPlusSession.h"

// GDI+ for the whole test program, as the application starts it for the whole run.
// Included by every test source that draws; the environment is registered once.
class GdiPlusTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        session_ = std::make_unique<GdiPlusSession>();
        ASSERT_TRUE(session_->Started());
    }
    void TearDown() override { session_.reset(); }

private:
    std::unique_ptr<GdiPlusSession> session_;
};

inline ::testing::Environment* const gdiPlusTestEnvironment =
    ::testing::AddGlobalTestEnvironment(new GdiPlusTestEnvironment);
