#pragma once

#include <memory>
#include <string>
#include <string_view>

// The settings file VarlenSet.ini, read and written with the rules of the classic
// profile-string functions:
// - sections and keys match case-insensitively ("show water" finds "Show Water");
// - a missing key and a key with an empty value are the same thing: "";
// - values lose the blanks at both ends;
// - numbers are read with C atoi rules from a 128-character buffer, so from the first
//   127 characters of the value ("32767.5" gives 32767, "abc" gives 0);
// - writing creates the file, its directory, the section and the key as needed, and
//   keeps everything else in the file: other sections, unknown keys, comments, order.
// Text values are returned whole, however long. The file is replaced atomically (a
// temporary file in the same directory renamed over it), so a writer that dies or a
// disk that fills up leaves the previous file intact.

// One load of the file for any number of reads and writes, and at most one save.
class ProfileFile {
public:
    // Reads the file at `path`; a missing file is an empty one.
    explicit ProfileFile(std::string path);
    // A file held in memory only, parsed from `text`; save() fails for it.
    static ProfileFile fromText(std::string_view text);

    ProfileFile(ProfileFile &&) noexcept;
    ProfileFile &operator=(ProfileFile &&) noexcept;
    ~ProfileFile();

    const std::string &path() const;

    // False when the file exists but could not be read whole (no permission, not a
    // regular file, larger than 16 MiB, or text the parser would cut: a NUL byte, UTF-16,
    // "[name" without "]", "=value" without a key). Such a file is never overwritten, its
    // values are not used, and the first one of a run is reported once on stderr.
    bool isReadable() const;

    // The value, whole; "" when the section or key is missing.
    std::string value(std::string_view section, std::string_view key) const;

    // The value converted with profileAtoi from its first 127 characters; 0 when missing.
    int intValue(std::string_view section, std::string_view key) const;

    // Sets the value in memory. Returns false and changes nothing when the text cannot
    // live on one line of the file (a line break or a NUL in it), or when the section
    // or key name could not be read back as the same name.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    // A setValue changed the file's content since it was read or last saved.
    bool isModified() const;

    // The file's text as save() writes it.
    std::string text() const;

    // Writes the file when it was modified. True when nothing needed writing or the new
    // file is in place; false (file unchanged on disk) otherwise.
    bool save();

private:
    ProfileFile();
    struct Impl;
    std::unique_ptr<Impl> d;
};

// C atoi rules: leading blanks, an optional sign, then decimal digits up to the first
// other character; no digits give 0. Values beyond the 32-bit range give the nearest
// limit.
int profileAtoi(std::string_view text);

// $XDG_CONFIG_HOME/VarlenScr/VarlenSet.ini, or ~/.config/VarlenScr/VarlenSet.ini when
// XDG_CONFIG_HOME is unset or relative. Looked up anew on every call.
std::string settingsFilePath();

// One-key access to the settings file: each call reads the file, and each write saves
// it. Use ProfileFile for many keys at once.
std::string readProfileString(const std::string &section, const std::string &key);
int readProfileInt(const std::string &section, const std::string &key);
bool writeProfileString(const std::string &section, const std::string &key, const std::string &value);
bool writeProfileInt(const std::string &section, const std::string &key, int value);

// The application profile value "Settings"/"Volume" (own-music volume 0..1000) from
// QSettings("Local AppWizard-Generated Applications", "VarlenScr"); 1000 when it is
// missing or not a whole number. Never written by the program.
int profileVolume();
