#pragma once

#include "cards/FolderActions.h"
#include "cards/FolderFinding.h"

#include <QWidget>

#include <filesystem>
#include <memory>
#include <vector>

class ImageConverter;
class QLabel;
class QVBoxLayout;

// The folder check in the teacher's window: one row per finding, with its reason, what to do,
// and one button that does it (a .jpg copy, or a new name, which the teacher may change in the
// row's text field). After every change the folder is checked again, and what was done is said
// above the list until the next action. A name that is taken or that the child could not type
// is said in the row, and the teacher is asked for another.
class FolderCheckPanel final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FolderCheckPanel)

public:
    explicit FolderCheckPanel(QWidget* parent = nullptr);
    ~FolderCheckPanel() override;

    // Checks the folder (and the praise file, when given) and shows what was found.
    void setFolder(
        const std::filesystem::path& folder, const std::filesystem::path& praiseFile = {});
    void recheck();

    const std::vector<FolderFinding>& findings() const { return m_findings; }
    // What the last action did; empty before the first one in this folder.
    QString lastDone() const;

signals:
    // A file of the folder was made or renamed; the selection will be rebuilt by the drill.
    void folderChanged();

private:
    void rebuildRows();
    QWidget* makeRow(const FolderFinding& finding);
    void act(const FolderFinding& finding, const QString& word, const std::u16string& rest,
        QLabel* answer);

    std::filesystem::path m_folder;
    std::filesystem::path m_praiseFile;
    std::vector<FolderFinding> m_findings;
    std::unique_ptr<ImageConverter> m_converter;
    QLabel* m_summary = nullptr;
    QLabel* m_done = nullptr;
    QVBoxLayout* m_rows = nullptr;
};
