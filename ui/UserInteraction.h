#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QUrl;
class QWidget;

namespace pemrix {

enum class MessageIcon
{
    None,
    Warning
};

// A font picked in the font chooser: face name and size in tenths of a point.
struct FontChoice
{
    QString strFace;
    int nTenthsOfPoint = 0;
};

// What a file dialog gave back: the chosen file (empty when the user cancelled) and the
// index of the filter entry it was chosen under.
struct FileChoice
{
    QString strPath;
    qsizetype nFilter = 0;
};

// Everything that stops and asks the user, or hands something to the desktop, goes through
// here, so tests can answer from a script and no test ever waits on a modal window.
class UserInteraction
{
public:
    virtual ~UserInteraction() = default;

    // A message box with only an OK button.
    virtual void ShowMessage(QWidget* owner, const QString& text, const QString& caption,
                             MessageIcon icon) = 0;
    // Both add the chosen filter entry's default suffix (one per entry) to a name typed
    // without one; Save asks before an existing file is replaced.
    virtual FileChoice GetOpenFileName(QWidget* owner, const QStringList& filters,
                                       const QStringList& defaultSuffixes) = 0;
    virtual FileChoice GetSaveFileName(QWidget* owner, const QStringList& filters,
                                       const QStringList& defaultSuffixes) = 0;
    virtual std::optional<FontChoice> ChooseFont(QWidget* owner) = 0;
    virtual void OpenUrl(const QUrl& url) = 0;
    // Opens a help document at one of its topics in the help viewer, a window of `owner`'s.
    virtual void ShowHelp(QWidget* owner, const QString& file, const QString& topic) = 0;
    // Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int RunModal(QDialog& dialog) = 0;
    // Runs a progress dialog modally until it closes itself when its work is done.
    virtual void RunProgress(QDialog& dialog) = 0;
};

} // namespace pemrix
