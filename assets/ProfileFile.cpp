#include "ProfileFile.h"

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION  // Debian's header keeps the template bodies behind this
#include <SimpleIni.h>

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace {

constexpr long kMaxFileBytes = 16L * 1024 * 1024;
constexpr std::size_t kNumberBufferChars = 127;  // a 128-character buffer with its NUL

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

bool isCommentOrBlankLine(std::string_view line)
{
    std::size_t i = 0;
    while (i < line.size() && (isBlank(line[i]) || line[i] == '\n'))
        ++i;
    return i == line.size() || line[i] == ';' || line[i] == '#';
}

bool hasBlankEnds(std::string_view text)
{
    return !text.empty() && (isBlank(text.front()) || isBlank(text.back()));
}

bool hasLineBreakOrNul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A name that reads back as itself: one line, no blanks at the ends, and not taken for
// something else by the parser (a comment, a section line, the end of a key).
bool isStorableSection(std::string_view name)
{
    return !hasLineBreakOrNul(name) && !hasBlankEnds(name)
        && name.find(']') == std::string_view::npos;
}

bool isStorableKey(std::string_view name)
{
    return !name.empty() && !hasLineBreakOrNul(name) && !hasBlankEnds(name)
        && name.find('=') == std::string_view::npos && name.front() != ';'
        && name.front() != '#' && name.front() != '[';
}

// Splits off the comment lines after the last entry: the parser keeps a comment only
// with the entry that follows it, so these would otherwise be dropped on the next save.
// Returns where they start (with the blank lines before them), or the text's length
// when there are none or when the text holds nothing but comments and blanks (the parser
// keeps a leading comment block itself).
std::size_t trailingCommentStart(std::string_view text)
{
    std::vector<std::size_t> lineStarts{0};
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '\n')
            lineStarts.push_back(i + 1);
    std::size_t kept = lineStarts.size();
    bool sawComment = false;
    while (kept > 0) {
        const std::size_t begin = lineStarts[kept - 1];
        const std::size_t end = kept < lineStarts.size() ? lineStarts[kept] : text.size();
        const std::string_view line = text.substr(begin, end - begin);
        if (!isCommentOrBlankLine(line))
            break;
        sawComment = sawComment || line.find_first_of(";#") != std::string_view::npos;
        --kept;
    }
    if (!sawComment || kept == 0 || kept == lineStarts.size())
        return text.size();
    return lineStarts[kept];
}

std::string configHome()
{
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/')
        return config;
    const char *home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/.config";
    if (const passwd *entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_dir != nullptr
        && entry->pw_dir[0] == '/')
        return std::string(entry->pw_dir) + "/.config";
    return {};
}

// True when every line of `text` is one the parser keeps: a blank line, a comment, a
// whole section line ("[name]" and nothing after it) or a key (with or without "=").
// A NUL byte, a UTF-16 file, "[name" without "]" and "=value" without a key are not,
// and a save after such a read would lose them.
bool parsesWhole(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos)
        return false;
    if (text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF")
        return false;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        while (!line.empty() && isBlank(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && isBlank(line.back()))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        if (line.front() == '=')
            return false;
        if (line.front() == '[' && line.find(']') != line.size() - 1)
            return false;
    }
    return true;
}

// Says once per run that the settings file is left alone.
void reportUnreadable(const std::string &path)
{
    static bool reported = false;
    if (reported)
        return;
    reported = true;
    std::fprintf(stderr,
                 "VarlenScr: the settings file %s cannot be read whole; it is left as it is "
                 "and this run uses the default settings.\n",
                 path.c_str());
}

} // namespace

struct ProfileFile::Impl {
    CSimpleIniA ini{false, true, false};  // not UTF-8 aware, duplicate keys kept, no multi-line
    std::string path;
    std::string trailingComments;
    bool hadSignature = false;
    bool readable = true;
    bool modified = false;
    bool inMemoryOnly = false;

    Impl()
    {
        ini.SetSpaces(false);
        ini.SetAllowKeyOnly(true);
    }

    void parse(std::string_view text)
    {
        hadSignature = text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF";
        const std::size_t split = trailingCommentStart(text);
        trailingComments = std::string(text.substr(split));
        const std::string body(text.substr(0, split));
        ini.LoadData(body.c_str(), body.size());
    }

    // Reads the file at `path`: missing means empty; anything present but unreadable
    // marks the file as one that must not be replaced.
    void load()
    {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) {
            readable = errno == ENOENT || errno == ENOTDIR;
            return;
        }
        if (!S_ISREG(info.st_mode) || info.st_size > kMaxFileBytes) {
            readable = false;
            reportUnreadable(path);
            return;
        }
        std::FILE *file = std::fopen(path.c_str(), "rb");
        if (file == nullptr) {
            readable = false;
            reportUnreadable(path);
            return;
        }
        std::string text;
        char block[16384];
        std::size_t got = 0;
        while ((got = std::fread(block, 1, sizeof block, file)) > 0
               && text.size() <= static_cast<std::size_t>(kMaxFileBytes))
            text.append(block, got);
        readable = std::ferror(file) == 0 && text.size() <= static_cast<std::size_t>(kMaxFileBytes)
            && parsesWhole(text);
        std::fclose(file);
        if (readable)
            parse(text);
        else
            reportUnreadable(path);
    }
};

ProfileFile::ProfileFile() : d(std::make_unique<Impl>()) {}

ProfileFile::ProfileFile(std::string path) : d(std::make_unique<Impl>())
{
    d->path = std::move(path);
    d->load();
}

ProfileFile ProfileFile::fromText(std::string_view text)
{
    ProfileFile file;
    file.d->inMemoryOnly = true;
    file.d->parse(text);
    return file;
}

ProfileFile::ProfileFile(ProfileFile &&) noexcept = default;
ProfileFile &ProfileFile::operator=(ProfileFile &&) noexcept = default;
ProfileFile::~ProfileFile() = default;

const std::string &ProfileFile::path() const { return d->path; }

bool ProfileFile::isReadable() const { return d->readable; }

std::string ProfileFile::value(std::string_view section, std::string_view key) const
{
    const char *found = d->ini.GetValue(std::string(section).c_str(), std::string(key).c_str(), nullptr);
    return found != nullptr ? std::string(found) : std::string();
}

int ProfileFile::intValue(std::string_view section, std::string_view key) const
{
    const std::string text = value(section, key);
    return profileAtoi(std::string_view(text).substr(0, kNumberBufferChars));
}

bool ProfileFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    if (!isStorableSection(section) || !isStorableKey(key) || hasLineBreakOrNul(value))
        return false;
    const std::string sectionName(section);
    const std::string keyName(key);
    const std::string text(value);
    bool hasMany = false;
    const char *current = d->ini.GetValue(sectionName.c_str(), keyName.c_str(), nullptr, &hasMany);
    if (current != nullptr && !hasMany && text == current)
        return true;
    if (d->ini.SetValue(sectionName.c_str(), keyName.c_str(), text.c_str(), nullptr, true) < 0)
        return false;
    d->modified = true;
    return true;
}

bool ProfileFile::isModified() const { return d->modified; }

std::string ProfileFile::text() const
{
    std::string saved;
    d->ini.Save(saved, d->hadSignature);
    // The writer spaces sections with two blank lines and puts one after a section line
    // that has a comment below it; keep the file's look instead: one blank line between
    // sections, none right after a section line.
    std::string out;
    out.reserve(saved.size() + d->trailingComments.size());
    bool previousBlank = true;  // no blank line at the top either
    bool previousSection = false;
    std::size_t at = 0;
    while (at < saved.size()) {
        std::size_t end = saved.find('\n', at);
        end = end == std::string::npos ? saved.size() : end + 1;
        const std::string_view line(saved.data() + at, end - at);
        const bool blank = line == "\n";
        if (!(blank && (previousBlank || previousSection)))
            out.append(line);
        if (!blank || !previousSection)
            previousBlank = blank;
        previousSection = !blank && line.front() == '[';
        at = end;
    }
    // A byte-order mark that was not the file's signature (it stood after blank lines)
    // must not become one now that those lines are gone: the next read would drop it.
    if (!d->hadSignature && out.compare(0, 3, "\xEF\xBB\xBF") == 0)
        out.insert(0, "\n");
    return out + d->trailingComments;
}

bool ProfileFile::save()
{
    if (!d->modified)
        return true;
    if (d->inMemoryOnly || !d->readable || d->path.empty())
        return false;
    const QString path = QFile::decodeName(QByteArray::fromStdString(d->path));
    const QString directory = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(directory))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string content = text();
    if (file.write(content.data(), static_cast<qint64>(content.size()))
        != static_cast<qint64>(content.size())) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    d->modified = false;
    return true;
}

int profileAtoi(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\n'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t magnitude = 0;
    constexpr std::int64_t kBeyond = static_cast<std::int64_t>(INT_MAX) + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kBeyond);
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

std::string settingsFilePath()
{
    const std::string home = configHome();
    if (home.empty())
        return "VarlenSet.ini";
    return home + "/VarlenScr/VarlenSet.ini";
}

std::string readProfileString(const std::string &section, const std::string &key)
{
    return ProfileFile(settingsFilePath()).value(section, key);
}

int readProfileInt(const std::string &section, const std::string &key)
{
    return ProfileFile(settingsFilePath()).intValue(section, key);
}

bool writeProfileString(const std::string &section, const std::string &key, const std::string &value)
{
    ProfileFile file(settingsFilePath());
    return file.setValue(section, key, value) && file.save();
}

bool writeProfileInt(const std::string &section, const std::string &key, int value)
{
    return writeProfileString(section, key, std::to_string(value));
}

int profileVolume()
{
    QSettings profile(QStringLiteral("Local AppWizard-Generated Applications"),
                      QStringLiteral("VarlenScr"));
    const QVariant stored = profile.value(QStringLiteral("Settings/Volume"));
    bool isNumber = false;
    const int volume = stored.toString().trimmed().toInt(&isNumber);
    return isNumber ? volume : 1000;
}
