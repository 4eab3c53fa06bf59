#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>

// The embedded asset store. Each built-in picture and the built-in tune is carried in
// the executable as the Qt resource ":/RCAD/<id>", scrambled with the additive key of
// AssetKey.h. Before use an asset is written to two files in the asset directory:
//   <base>.ad   the scrambled bytes, exactly as stored;
//   <base>.bmp  the descrambled picture (<base>.wav for the base name "Music" exactly).
// The caller loads the second file and then deletes both (deleteAssetFile), so asset
// files exist only for the moment of loading:
//
//   const std::string dir = assetDirectory();
//   extractAsset(10003, dir, "fish3");
//   loadTexture(dir + "fish3.bmp", &speciesTextures[3]);
//   deleteAssetFile(dir + "fish3.ad");
//   deleteAssetFile(dir + "fish3.bmp");

// Shows a failure to the user: text and caption of a plain message box. The default
// prints "<caption>: <text>" on stderr; the application installs a message box.
using MessageReporter = std::function<void(const std::string &text, const std::string &caption)>;

// Replaces the reporter; an empty function restores the default.
void setMessageReporter(MessageReporter reporter);

// Sends one message through the current reporter.
void reportMessage(const std::string &text, const std::string &caption);

// The private per-user directory the asset files go to, ending in '/':
// $XDG_RUNTIME_DIR/VarlenScr/ or, when that is unset or unusable (not a real directory of
// this user with mode 0700), <temp dir>/VarlenScr-<uid>/. The directory is created with mode 0700 when missing and
// is used only when it is a real directory (not a link) owned by this user; its mode is
// then tightened to 0700. When neither place is usable (a link, or another user's
// directory, holds the name) a fresh folder <temp dir>/VarlenScr-XXXXXX made with
// mkdtemp (0700) serves the whole run and is removed at exit. When even that cannot be
// made it reports "Error Find TempPath." (caption "ERROR") and returns ""; no asset file
// is then written or deleted anywhere (never in the current directory).
std::string assetDirectory();

// Deletes the files registered with trackRunFile() (RunGuards.h), then removes the
// folders that assetDirectory() made with mkdtemp, when they are empty (the asset files
// are deleted as soon as they are loaded). For the ways out of the program that skip the
// exit handlers (_exit after Esc, Exit or a signal); safe in a signal handler.
void removeEmptyRunFolders();

// True when `directory` (as assetDirectory() returns it) is a folder made for this run
// alone, removed when the run ends.
bool isRunFolder(const std::string &directory);

// The descrambled file's suffix for a base name: ".wav" for "Music" exactly
// (case-sensitive), ".bmp" for every other name.
std::string descrambledSuffix(const std::string &baseName);

// Writes resource ":/RCAD/<id>" to directory + baseName + ".ad" (replacing any older file
// of that name whole) and descrambles it into directory + baseName + ".bmp"/".wav".
// Returns false, writing nothing and saying nothing, when the store holds no such id or
// `directory` is not absolute ("" included).
// Also returns false, after a line on stderr, when either file cannot be written whole:
// the asset then counts as missing and the program runs on.
bool extractAsset(int id, std::string directory, std::string baseName);

// Turns directory + baseName + ".ad" into the descrambled file. When a file cannot be
// opened it writes "cannot open infile" or " cannot open outfile" on stderr and returns
// without a result file.
void descrambleAsset(std::string directory, std::string baseName);

// Deletes one file; a missing file is not an error and nothing is reported. A relative
// path (an asset directory that was not found) deletes nothing.
void deleteAssetFile(const std::string &path);

// The key arithmetic on bytes in memory. Byte n of the data (n counted from 1 at the
// start of the file, so data[0] is byte 1) is raised (descramble) or lowered (scramble)
// by kAssetKey[n % 50], modulo 256. `firstByteNumber` is n of data[0], for data that
// continues an earlier block.
void descrambleBytes(std::span<uint8_t> data, std::size_t firstByteNumber = 1);
void scrambleBytes(std::span<uint8_t> data, std::size_t firstByteNumber = 1);
