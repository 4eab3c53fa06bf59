#pragma once

#include <string>

// Texture names are GLuint, which is unsigned int; this header leaves including the GL
// headers to its users.

// The three ways a picture becomes a texture. All need the view's GL context current.
// Each loader first stores a new texture name in *name and binds it, so the owner's field
// holds a valid name even when the file turns out unusable; such a texture simply has no
// image. Nothing is reported. No loader deletes a texture.

// A 24-bit BMP (rows without padding) as a mipmapped RGBA texture in which pure black
// (0, 0, 0) is transparent: the built-in background picture. Wrap repeat, magnification
// linear, minification linear-mipmap-nearest.
void loadMipmappedTexture(const std::string &path, unsigned int *name);

// An 8-, 24- or 32-bit BMP as a single-level texture whose sides are powers of two no
// larger than min(GL_MAX_TEXTURE_SIZE, 512): the fish skins and the bubble sprite.
// 24-bit pictures upload as GL_BGR (3 components), 32-bit as GL_BGRA (4 components);
// 8-bit pictures are expanded through their palette first. Filters linear, wrap left at
// the default.
void loadTexture(const std::string &path, unsigned int *name);

// A user's own JPEG, PNG or BMP picture through SOIL (mipmapped, flipped, compressed,
// NTSC-safe colours; SOIL sets its own parameters). Returns the new texture name, or 0
// when the file is not a readable JPEG/PNG/BMP of at most kMaxUserPictureSide pixels a
// side, or when SOIL cannot load it. The check comes first because SOIL crashes on some
// headers.
unsigned int loadUserPicture(const std::string &path);

// The largest side a user picture may have. The picture is decoded, scaled, mipmapped and
// compressed on the GUI thread, sides rounded up to powers of two: with software GL a
// 4096 x 4096 picture (or a 4000 x 3000 photo) holds the program still for 0.85 to 0.95 s
// of CPU time and takes some 130 MiB on the way, an 8192 x 8192 one for four seconds and
// more, and 520 MiB (bench_user_picture).
inline constexpr int kMaxUserPictureSide = 4096;

// Replaces GL_MAX_TEXTURE_SIZE in loadTexture's size limit; 0 asks the driver again.
void setMaxTextureSizeOverride(int maxTextureSize);

// The whole life of one built-in picture: extracts asset `id` as `baseName` into
// `directory` (from assetDirectory()), loads the descrambled file with `loader`
// (loadTexture or loadMipmappedTexture) into *name, and deletes both asset files.
void loadEmbeddedTexture(const std::string &directory, int id, const std::string &baseName,
                         void (*loader)(const std::string &path, unsigned int *name), unsigned int *name);
