#include "data/SettingsFile.h"

#include "data/DataFileError.h"
#include "data/DataTextFile.h"

SettingsFile::SettingsFile(std::filesystem::path path)
    : m_path(std::move(path))
{ }

Settings SettingsFile::Load() const
{
    // A missing file is the normal first run; one whose content is damaged is replaced once.
    // Either way the defaults are written and read back, and a second failure means the folder
    // itself is the problem (it does not exist, or can't be written), which the teacher must be
    // told. A file that can't be opened or read is no damaged file: writing the defaults over
    // it would throw away options that may be perfectly good, so that failure is reported.
    try {
        if (const auto settings = read())
            return *settings;
    } catch (const DataFileError& error) {
        if (error.kind() != DataFileError::Kind::Read)
            throw;
    }
    Save(Settings {});
    const auto settings = read();
    if (!settings)
        throw DataFileError(DataFileError::Kind::Open, m_path, "書いたはずのファイルがありません");
    return *settings;
}

void SettingsFile::Save(const Settings& settings) const
{
    DataTextFile file;
    file.openForWriting(m_path);
    file.WriteItems({ DataItem::truth(settings.PromptWithName),
        DataItem::truth(settings.ShowModelWord), DataItem::truth(settings.TalkingAidKeyboard),
        DataItem::truth(settings.ShowSetupPicture), DataItem::integer(settings.KeyGuardTenths) });
    file.close();
}

Settings SettingsFile::Parse(DataTextFile& file)
{
    // Read into a fresh set so that a failure part-way leaves nothing half-read behind.
    Settings settings;
    file.ReadItems({ DataTarget::truth(settings.PromptWithName),
        DataTarget::truth(settings.ShowModelWord), DataTarget::truth(settings.TalkingAidKeyboard),
        DataTarget::truth(settings.ShowSetupPicture),
        DataTarget::integer(settings.KeyGuardTenths) });
    return settings;
}

std::optional<Settings> SettingsFile::read() const
{
    DataTextFile file;
    if (file.openForReading(m_path, DataItemReader::Source::Program)
        == DataTextFile::OpenResult::Missing)
        return std::nullopt;
    const Settings settings = Parse(file);
    file.close();
    return settings;
}
