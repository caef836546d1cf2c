#include "data/PraiseFile.h"

#include "data/DataFileError.h"
#include "data/DataTextFile.h"

PraiseFile::PraiseFile(std::filesystem::path path)
    : m_path(std::move(path))
{ }

void PraiseFile::Load(PraisePhraseList& list) const
{
    if (read(list))
        return;
    DataTextFile file;
    file.openForWriting(m_path);
    file.WriteLine(u"よくできました");
    file.close();
    if (!read(list))
        throw DataFileError(DataFileError::Kind::Open, m_path, "書いたはずのファイルがありません");
}

void PraiseFile::Parse(DataTextFile& file, PraisePhraseList& list)
{
    list = {};
    std::int16_t count = 0;
    // Phrases past the 21st, and anything else after it, are ignored: the list holds no more.
    while (count < PraisePhraseList::kCapacity && !file.AtEnd()) {
        std::u16string phrase;
        file.ReadItems({ DataTarget::text(phrase) });
        if (!phrase.empty())
            list.PraisePhrases[static_cast<std::size_t>(count++)] = std::move(phrase);
    }
    list.PraiseCount = count;
}

bool PraiseFile::read(PraisePhraseList& list) const
{
    list = {};
    DataTextFile file;
    if (file.openForReading(m_path, DataItemReader::Source::HandEdited)
        == DataTextFile::OpenResult::Missing)
        return false;
    Parse(file, list);
    file.close();
    return true;
}
