#include "data/SettingsFile.h"

#include "data/DataFileError.h"
#include "data/DataTextFile.h"

SettingsFile::SettingsFile(std::filesystem::path path)
    : m_path(std::move(path))
{ }

Settings SettingsFile::Load() const
{
    // A missing file is the normal first run; a damaged one is replaced once. Either way the
    // defaults are written and read back, and a second failure means the folder itself is the
    // problem (it does not exist, or can't be written), which the teacher must be told.
    bool missing = false;
    try {
        const Settings settings = read(missing);
        if (!missing)
            return settings;
    } catch (const DataFileError&) { }
    Save(Settings {});
    const Settings settings = read(missing);
    if (missing)
        throw DataFileError(DataFileError::Kind::Open, m_path, "書いたはずのファイルがありません");
    return settings;
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

Settings SettingsFile::read(bool& missing) const
{
    DataTextFile file;
    missing = file.openForReading(m_path) == DataTextFile::OpenResult::Missing;
    Settings settings;
    if (missing)
        return settings;
    // Read into a fresh set so that a failure part-way leaves nothing half-read behind; what
    // follows the fifth item is ignored.
    file.ReadItems({ DataTarget::truth(settings.PromptWithName),
        DataTarget::truth(settings.ShowModelWord), DataTarget::truth(settings.TalkingAidKeyboard),
        DataTarget::truth(settings.ShowSetupPicture),
        DataTarget::integer(settings.KeyGuardTenths) });
    file.close();
    return settings;
}
