#pragma once

#include "MainWindowHarness.h"

#include <QObject>

namespace pemrix {

// A test case that drives one started main window through its harness.
class WindowTestCase : public QObject
{
    Q_OBJECT

protected:
    void Run(int id, const QString& address = {}, const QString& data = {});
    void SetWatch(int row, const char* address, const char* type);
    QStringList LastLogLine() const;
    QString Dump() const;

    std::unique_ptr<MainWindowHarness> m_harness;
    std::unique_ptr<CVelmoraDlg> m_window;
};

} // namespace pemrix
