#include "data/PraiseFile.h"

#include "data/DataFileError.h"
#include "data/DataTextFile.h"

PraiseFile::PraiseFile(std::filesystem::path path)
    : m_path(std::move(path))
{ }

std::vector<int> PraiseFile::Load(PraisePhraseList& list) const
{
    if (auto leftOut = read(list))
        return std::move(*leftOut);
    DataTextFile file;
    file.openForWriting(m_path);
    file.WriteLine(u"よくできました");
    file.close();
    auto leftOut = read(list);
    if (!leftOut)
        throw DataFileError(DataFileError::Kind::Open, m_path, "書いたはずのファイルがありません");
    return std::move(*leftOut);
}

std::vector<int> PraiseFile::UnreadableLines() const
{
    DataTextFile file;
    if (file.openForReading(m_path, DataItemReader::Source::HandEdited)
        == DataTextFile::OpenResult::Missing)
        return {};
    return file.leftOutLines();
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

std::optional<std::vector<int>> PraiseFile::read(PraisePhraseList& list) const
{
    list = {};
    DataTextFile file;
    if (file.openForReading(m_path, DataItemReader::Source::HandEdited)
        == DataTextFile::OpenResult::Missing)
        return std::nullopt;
    Parse(file, list);
    std::vector<int> leftOut = file.leftOutLines();
    file.close();
    return leftOut;
}
