#pragma once

#include <QString>

// Where the generated assets live inside the program's resources. Linking the library
// varlen_resources embeds them and registers them before main() runs:
//   :/RCAD/<id>            scrambled pictures and the tune (154 BackGround0,
//                          10000..10024 fish0..fish24, 166 Particle1, 227 Music)
//   :/cursors/<id>.png     158 159 163 164 167 177 169 178 (hot spot in the PNG text
//                          entry "HotSpot" as "x,y")
//   :/icons/<id>.png       menu icons 133 160 134 135 180 253 232 175; switches 183, 184
//   :/icons/app-<size>.png application icon, sizes 16 24 32 48 64 128 256
namespace varlen {

// Key of the PNG text entry in which each cursor picture carries its hot spot, "x,y".
inline constexpr char kCursorHotSpotKey[] = "HotSpot";

QString assetResourcePath(int id);
QString cursorResourcePath(int id);
QString iconResourcePath(int id);
QString applicationIconResourcePath(int size);

// Registers the resources again. Never needed by a program that links varlen_resources
// normally; it is there for code that loads the library in some other way. Harmless
// when called more than once.
void initResources();

} // namespace varlen
