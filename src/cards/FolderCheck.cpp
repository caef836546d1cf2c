#include "cards/FolderCheck.h"

#include "cards/CardName.h"
#include "cards/FolderActions.h"
#include "cards/TakenNames.h"
#include "common/ProgramState.h"
#include "common/Utf8Text.h"
#include "data/DataFileError.h"
#include "data/PathText.h"
#include "data/PictureCollator.h"
#include "data/PictureListing.h"
#include "data/PraiseFile.h"

#include <algorithm>
#include <array>
#include <set>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// What Qt reads with the image plugins the package brings (qt6-image-formats-plugins).
constexpr std::array<std::u16string_view, 7> kConvertible { u".png", u".jpeg", u".jpe", u".jfif",
    u".webp", u".tif", u".tiff" };
// What phones and cameras also give, which no installed plugin reads.
constexpr std::array<std::u16string_view, 5> kOtherPictures { u".heic", u".heif", u".avif", u".jxl",
    u".svg" };

template<std::size_t N>
bool endsWithAny(std::u16string_view name, const std::array<std::u16string_view, N>& endings)
{
    return std::any_of(endings.begin(), endings.end(), [name](std::u16string_view ending) {
        if (name.size() < ending.size())
            return false;
        return std::equal(
            ending.begin(), ending.end(), name.end() - ending.size(), [](char16_t e, char16_t n) {
                return e == (n >= u'A' && n <= u'Z' ? static_cast<char16_t>(n - u'A' + u'a') : n);
            });
    });
}

FolderFinding found(const fs::path& file, const std::u16string& name, FolderFinding::Kind kind,
    std::u16string reason, std::u16string advice, FolderFinding::Fix fix = FolderFinding::Fix::None)
{
    return { file, name, kind, std::move(reason), std::move(advice), fix, {} };
}

std::u16string number(std::size_t value)
{
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string extensionOf(std::u16string_view name)
{
    const std::size_t dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string() : std::u16string(name.substr(dot));
}

// The name without its ending, as a file system that ignores case compares it.
std::u16string stemOf(std::u16string_view name)
{
    return TakenNames::folded(name.substr(0, std::min(name.rfind(u'.'), name.size())));
}

std::u16string renameAdvice(const std::u16string& suggestedName)
{
    if (suggestedName.empty())
        return u"子どもが打てるひらがなの名前に変えてください。";
    return u"名前を「" + suggestedName + u"」に変えてください。";
}

std::u16string copyAdvice(const std::u16string& suggestedName)
{
    const std::u16string kept = u"（もとの絵は「" + std::u16string(FolderActions::kKeptFolder)
        + u"」フォルダーに移して、とっておきます）。";
    if (suggestedName.empty())
        return u"子どもが打てるひらがなの名前で、同じ絵の .jpg を作ってください" + kept;
    return u"同じ絵の「" + suggestedName + u"」を作ってください" + kept;
}

} // namespace

FolderCheck::FolderCheck(std::filesystem::path folder, std::filesystem::path praiseFile)
    : m_folder(std::move(folder))
    , m_praiseFile(std::move(praiseFile))
    , m_keyboards(KanaKeyboard::ForFolder(m_folder))
{ }

bool FolderCheck::isConvertibleEnding(std::u16string_view name)
{
    return endsWithAny(name, kConvertible);
}

bool FolderCheck::isOtherPictureEnding(std::u16string_view name)
{
    return endsWithAny(name, kOtherPictures);
}

std::vector<FolderFinding> FolderCheck::Run() const
{
    std::vector<FolderFinding> findings;
    checkUnlisted(findings);
    checkCards(findings);
    // One folder's findings in the order of its listing, each file's own in the order found.
    try {
        const PictureCollator collator;
        std::stable_sort(findings.begin(), findings.end(),
            [&collator](const FolderFinding& a, const FolderFinding& b) {
                if (a.kind == FolderFinding::Kind::NoPictures)
                    return b.kind != FolderFinding::Kind::NoPictures;
                return collator.less(a.fileName, b.fileName);
            });
    } catch (const std::runtime_error&) {
        // Without the collator the findings stay in the order they were found.
    }
    freeSuggestions(findings);
    checkPraiseFile(findings);
    return findings;
}

void FolderCheck::checkUnlisted(std::vector<FolderFinding>& findings) const
{
    std::set<std::u16string> listed;
    // The cards by their names without the ending: a picture of another type whose name, or the
    // name its copy is offered under, is one of them has its .jpg twin, which is its card.
    std::set<std::u16string> cardStems;
    for (const PictureListing::Entry& entry : PictureListing::ListAll(m_folder)) {
        listed.insert(entry.fileName);
        cardStems.insert(stemOf(entry.name));
        cardStems.insert(stemOf(entry.fileName));
    }

    std::error_code error;
    for (fs::directory_iterator entries(m_folder, error), end; !error && entries != end;
         entries.increment(error)) {
        const std::string bytes = PathText::utf8(entries->path().filename());
        std::error_code typeError;
        if (bytes.empty() || bytes.front() == '.' || !entries->is_regular_file(typeError))
            continue;
        const auto decoded = Utf8Text::decode(bytes);
        const std::u16string name = decoded ? *decoded : Utf8Text::decodeReplacing(bytes);
        const bool drillPicture = PictureListing::hasPictureEnding(name);
        if (drillPicture && decoded && listed.contains(name))
            continue;
        if (drillPicture) {
            FolderFinding finding
                = found(entries->path(), name, FolderFinding::Kind::NameNotStorable, {}, {});
            const std::u16string word = CardName::Word(name);
            if (!decoded) {
                finding.reason = u"名前に、文字として読めない部分があるので、カードになりません。";
            } else if (name.find(u'"') != std::u16string::npos) {
                finding.kind = FolderFinding::Kind::QuoteInName;
                finding.reason = u"名前に「\"」が入っているので、カードになりません。";
            } else {
                finding.reason = u"名前に、タポミが覚えておけない文字（絵文字や「¥」など）が入って"
                                 u"いるので、カードになりません。";
            }
            finding.fix = FolderFinding::Fix::Rename;
            const std::u16string suggestion
                = decoded ? CardName::Suggestion(word, m_keyboards) : std::u16string();
            if (!suggestion.empty())
                finding.suggestedName = suggestion + FolderActions::OwnRest(finding.file, false);
            finding.advice = renameAdvice(finding.suggestedName);
            findings.push_back(std::move(finding));
        } else if (isConvertibleEnding(name) || isOtherPictureEnding(name)) {
            const std::u16string word = CardName::Word(name);
            const std::u16string stem = stemOf(name);
            const std::u16string suggestion = CardName::Suggestion(word, m_keyboards);
            const bool twin = cardStems.contains(stem)
                || (!suggestion.empty()
                    && cardStems.contains(
                        TakenNames::folded(suggestion) + stem.substr(word.size())));
            if (!twin)
                findings.push_back(otherType(entries->path(), name));
        }
    }
}

FolderFinding FolderCheck::otherType(const fs::path& file, const std::u16string& name) const
{
    FolderFinding finding = found(file, name, FolderFinding::Kind::OtherPictureType, {}, {});
    finding.reason = u"タポミは " + extensionOf(name)
        + u" の絵を使いません（使えるのは .jpg .gif .bmp です）。";
    if (!isConvertibleEnding(name)) {
        finding.advice = u"スマートフォンや写真のアプリで JPEG（.jpg）にしてから、このフォルダーに"
                         u"入れてください。";
        return finding;
    }
    // The copy is a new card, so it is offered under a name the child can type: the picture's
    // own word, or the hiragana for it; otherwise the teacher chooses one.
    finding.fix = FolderFinding::Fix::MakeJpegCopy;
    const std::u16string word = CardName::Word(name);
    std::u16string copyWord = CardName::Suggestion(word, m_keyboards);
    if (copyWord.empty() && !CardName::NewWordProblem(word, m_keyboards))
        copyWord = word;
    if (!copyWord.empty())
        finding.suggestedName = copyWord + FolderActions::OwnRest(file, true);
    finding.advice = copyAdvice(finding.suggestedName);
    return finding;
}

void FolderCheck::checkCards(std::vector<FolderFinding>& findings) const
{
    const std::vector<PictureListing::Entry> all = PictureListing::ListAll(m_folder);
    if (all.empty()) {
        findings.push_back(found(m_folder, u"", FolderFinding::Kind::NoPictures,
            u"このフォルダーには、カードになる絵（.jpg .gif .bmp）がありません。",
            u"絵を入れるか、「カードをつくる」で作ってください。"));
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const PictureListing::Entry& entry = all[i];
        const fs::path file = m_folder / PathText::fromText(entry.fileName);
        if (i > 0 && all[i - 1].name == entry.name) {
            // The first of the files listed under one name is the card; the others are dropped.
            std::size_t first = i - 1;
            while (first > 0 && all[first - 1].name == entry.name)
                --first;
            findings.push_back(found(file, entry.fileName, FolderFinding::Kind::SameCard,
                u"「" + all[first].fileName
                    + u"」と同じカードになるので、使われません（同じに見える名前が、ちがう文字の"
                      u"組み合わせで書かれています）。",
                u"どちらかの名前を変えるか、いらないほうを消してください。",
                FolderFinding::Fix::Rename));
            continue;
        }
        if (++kept > static_cast<std::size_t>(ProgramState::kPictureCapacity)) {
            findings.push_back(found(file, entry.fileName, FolderFinding::Kind::TooMany,
                u"絵が101枚より多いので、この絵は使われません（並び順で102枚目から後の絵です）。",
                u"101枚までにするか、フォルダーを分けてください。"));
            continue;
        }
        const std::u16string word = CardName::Word(entry.name);
        if (const auto reason = CardName::UntypeableReason(word, m_keyboards)) {
            // A word of one character needs no "「犬」の" before the reason that names it.
            const std::u16string asked = CardName::AskedPart(word);
            const std::u16string which = asked.size() == 1 ? u"" : u"「" + asked + u"」の";
            FolderFinding finding = found(file, entry.fileName, FolderFinding::Kind::CannotBeTyped,
                which + *reason + u"このカードは、何度打っても正解になりません。", {});
            finding.fix = FolderFinding::Fix::Rename;
            const std::u16string suggestion = CardName::Suggestion(word, m_keyboards);
            if (!suggestion.empty())
                finding.suggestedName = suggestion + FolderActions::OwnRest(file, false);
            finding.advice = renameAdvice(finding.suggestedName);
            findings.push_back(std::move(finding));
        }
        if (word.size() > CardName::kAskedLength) {
            findings.push_back(found(file, entry.fileName, FolderFinding::Kind::TooLong,
                u"名前が" + number(word.size()) + u"文字あります。はじめの10文字「"
                    + CardName::AskedPart(word) + u"」だけを打ちます（読み上げは全部です）。",
                u"10文字までの名前にすると、全部を打てます。", FolderFinding::Fix::Rename));
        }
    }
}

void FolderCheck::freeSuggestions(std::vector<FolderFinding>& findings) const
{
    TakenNames names(m_folder);
    for (FolderFinding& finding : findings) {
        if (finding.suggestedName.empty())
            continue;
        const auto free = names.firstFree(finding.suggestedName);
        finding.suggestedName = free.value_or(u"");
        if (free)
            names.take(*free);
        finding.advice = finding.fix == FolderFinding::Fix::MakeJpegCopy
            ? copyAdvice(finding.suggestedName)
            : renameAdvice(finding.suggestedName);
    }
}

void FolderCheck::checkPraiseFile(std::vector<FolderFinding>& findings) const
{
    if (m_praiseFile.empty())
        return;
    const std::u16string name = Utf8Text::decodeReplacing(PathText::utf8(m_praiseFile.filename()));
    try {
        for (const int line : PraiseFile(m_praiseFile).UnreadableLines()) {
            findings.push_back(found(m_praiseFile, name, FolderFinding::Kind::PraiseLineLeftOut,
                number(static_cast<std::size_t>(line))
                    + u"行目は Shift-JIS でも UTF-8 でも読めないので、ほめる言葉に使われません。",
                u"その行をエディターで書きなおして、UTF-8 か Shift-JIS で保存してください。"));
        }
    } catch (const DataFileError& failure) {
        const std::string what = failure.what();
        findings.push_back(found(m_praiseFile, name, FolderFinding::Kind::PraiseFileUnreadable,
            u"ほめる言葉のファイルが読めません（" + Utf8Text::decodeReplacing(what) + u"）。",
            u"ファイルの読み書きの許可を確かめてください。"));
    }
}
