// A real main window for tests, loaded without the start work unless a test
// gives its own, and shown so that the list view lays out its items.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "app/main_window.h"
#include "support/scripted_prompts.h"
#include "support/test_env.h"

namespace orvex::test {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>();
        ASSERT_TRUE(window->Load(nullptr, false));
    }
    void TearDown() override {
        window.reset();
        DrainMessages();
    }
    ScriptedPrompts prompts;
    std::unique_ptr<MainWindow> window;
};

} // namespace orvex::test
