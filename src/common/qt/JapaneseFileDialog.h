#pragma once

#include <QFileDialog>

#include <memory>

class QuietFileIconProvider;

// Qt's own file dialog, the same on every desktop and in Japanese whatever the desktop's
// language: its labels, its columns, and やめる to cancel. It opens in the folder last left in
// the same dialog (kept in the program's settings under the dialog's name) or in the folder
// given, else the teacher's home folder, and never in the program's working directory, which
// holds the record. Files are listed by name alone and never opened (QuietFileIconProvider).
class JapaneseFileDialog final : public QFileDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(JapaneseFileDialog)

public:
    // accept is the caption of the button that takes the choice. (The mode is given here: Qt
    // makes the buttons anew when it changes, with its own words.)
    JapaneseFileDialog(QWidget* parent, const QString& title, const QString& name,
        const QString& accept, const QString& fallbackFolder = {}, AcceptMode mode = AcceptOpen);
    ~JapaneseFileDialog() override;

    // The first of the remembered folder, the fallback and the home folder that is there and is
    // not the working directory.
    static QString StartFolder(const QString& remembered, const QString& fallback);
    // The folder last left in the dialog of that name; empty when none.
    static QString RememberedFolder(const QString& name);

protected:
    void done(int result) override;

private:
    QString m_name;
    std::unique_ptr<QuietFileIconProvider> m_icons;
};
