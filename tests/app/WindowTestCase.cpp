#include "WindowTestCase.h"

#include "ui/DumpView.h"

namespace pemrix {

void WindowTestCase::Run(int id, const QString& address, const QString& data)
{
    m_harness->Run(*m_window, id, address, data);
}

void WindowTestCase::SetWatch(int row, const char* address, const char* type)
{
    MainWindowHarness::SetWatch(*m_window, row, address, type);
}

QStringList WindowTestCase::LastLogLine() const
{
    return MainWindowHarness::LastLogLine(*m_window);
}

QString WindowTestCase::Dump() const
{
    return m_window->DumpViewControl()->PullText();
}

} // namespace pemrix
