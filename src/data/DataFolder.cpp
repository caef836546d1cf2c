#include "data/DataFolder.h"

#include "common/Utf8Text.h"
#include "data/DataFileNames.h"
#include "data/PathText.h"
#include "data/PictureListing.h"
#include "data/PraiseFile.h"
#include "data/SelectionFile.h"
#include "data/SettingsFile.h"

#include <algorithm>

DataFolder::DataFolder(
    ProgramState& program, WarningBox& warnings, std::filesystem::path workingDirectory)
    : m_program(program)
    , m_warnings(warnings)
    , m_workingDirectory(std::move(workingDirectory))
{ }

std::u16string DataFolder::ArgumentText(int argc, char** argv)
{
    std::string joined;
    for (int i = 1; i < argc && argv != nullptr; ++i) {
        if (argv[i] == nullptr)
            break;
        if (i > 1)
            joined += ' ';
        joined += argv[i];
    }
    return Utf8Text::decodeReplacing(joined);
}

void DataFolder::LoadSettings()
{
    // The folder separator of this platform, appended whatever the text ends with: a doubled
    // "/" names the same folder.
    m_program.DataPrefix = m_program.ArgumentText.empty() ? u"" : m_program.ArgumentText + u"/";
    m_program.settings = SettingsFile(settingsPath()).Load();
}

void DataFolder::SaveSettings()
{
    SettingsFile(settingsPath()).Save(m_program.settings);
}

bool DataFolder::ListPictures()
{
    const std::vector<PictureListing::Entry> listed = PictureListing::List(pictureFolder());
    // More pictures than the lists hold: the first ones in listing order are kept, which is the
    // same set on every run.
    const std::size_t count = std::min<std::size_t>(listed.size(), ProgramState::kPictureCapacity);
    m_program.AllPictures = {};
    m_program.PictureFiles = {};
    for (std::size_t i = 0; i < count; ++i) {
        m_program.AllPictures[i] = listed[i].name;
        if (listed[i].fileName != listed[i].name)
            m_program.PictureFiles[i] = listed[i].fileName;
    }
    m_program.AllPictureCount = static_cast<std::int16_t>(count);
    if (count == 0) {
        m_warnings.ShowWarning(u"画像データが足りません！", u"タポミ");
        return false;
    }
    return true;
}

void DataFolder::LoadSelection()
{
    SelectionFile(selectionPath()).Load(m_program);
}

void DataFolder::SaveSelection()
{
    SelectionFile(selectionPath()).Save(m_program);
}

void DataFolder::LoadPraisePhrases(PraisePhraseList& list)
{
    PraiseFile(praisePath()).Load(list);
}

std::filesystem::path DataFolder::settingsPath() const
{
    return inWorkingDirectory(m_program.DataPrefix + std::u16string(DataFileNames::kSettings));
}

std::filesystem::path DataFolder::selectionPath() const
{
    return inWorkingDirectory(m_program.DataPrefix + std::u16string(DataFileNames::kSelection));
}

std::filesystem::path DataFolder::praisePath() const
{
    return inWorkingDirectory(std::u16string(DataFileNames::kPraise));
}

std::filesystem::path DataFolder::pictureFolder() const
{
    return m_program.ArgumentText.empty() ? m_workingDirectory
                                          : inWorkingDirectory(m_program.ArgumentText);
}

std::filesystem::path DataFolder::inWorkingDirectory(const std::u16string& name) const
{
    // An absolute name replaces the working directory altogether.
    return m_workingDirectory / PathText::fromText(name);
}
