// Linked into logic tests that measure or draw text: Qt's font engine needs
// an application object, which this creates once for the whole test run (on
// the platform the test environment names, offscreen in CTest).
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <memory>

namespace {

class GuiApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_application = std::make_unique<QGuiApplication>(m_argc, m_argv); }
    void TearDown() override { m_application.reset(); }

private:
    int m_argc = 1;
    char m_name[16] = "vellamor-test";
    char* m_argv[2] = { m_name, nullptr };
    std::unique_ptr<QGuiApplication> m_application;
};

const ::testing::Environment* const kEnvironment = ::testing::AddGlobalTestEnvironment(new GuiApplicationEnvironment);

} // namespace
