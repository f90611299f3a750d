/*
 * Susie plug-ins for Pictavo on Linux.
 *
 * A plug-in is a native shared object whose file name ends in ".spi" and which exports the
 * functions below by name with C linkage, in the platform's ordinary calling convention.
 * Pictavo loads every "*.spi" it finds in the folders its settings name (see the README),
 * asks GetPluginInfo(0) for the API version and treats the library by that answer:
 *
 *   "00IN"  picture (import) plug-in: needs GetPluginInfo, IsSupported, GetPictureInfo and
 *           GetPicture; GetPreview is optional. Pictavo decodes pictures through these.
 *   "00AM"  archive plug-in: needs GetPluginInfo, IsSupported, GetArchiveInfo, GetFileInfo and
 *           GetFile. Pictavo lists its patterns as supported extensions but calls nothing else.
 *   "00XN"  and anything else: only GetPluginInfo is needed; nothing else is called.
 *
 * A library lacking an export its kind needs is skipped at start like one that cannot be
 * loaded. A plug-in runs inside Pictavo's process: a crash in it ends the program.
 *
 * Memory rule: every block a plug-in hands to the host (the BITMAPINFO block, the pixel block
 * and PictureInfo.hInfo) is allocated with malloc() by the plug-in; the host owns it from then
 * on and releases it with free(). Handles are these malloc pointers, so they are pointer-sized.
 * The host checks returned blocks against their real size (malloc_usable_size), so a plug-in
 * must not hand out memory from any other allocator or from inside a larger block.
 *
 * Threads: the host calls plug-ins on its user-interface thread only. Keep no global state
 * anyway; everything lives in the call.
 *
 * This header is self-contained: C99 or C++, nothing else to include.
 */
#ifndef PICTAVO_SUSIE_PLUGIN_API_H
#define PICTAVO_SUSIE_PLUGIN_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Put SPI_EXPORT before each exported function so that it stays visible when the plug-in is
 * built with -fvisibility=hidden. */
#define SPI_EXPORT __attribute__((visibility("default")))

/* The head buffer that IsSupported receives: this many bytes, zero-filled, then overwritten
 * with as many leading bytes of the file as it has. */
#define SPI_HEAD_SIZE 2176
/* The host also tries each plug-in with the head pointer and the file offset moved this many
 * bytes in, for files that carry a MacBinary header. */
#define SPI_MACBINARY_OFFSET 128
/* GetPluginInfo is called with this buflen into a buffer one byte larger. */
#define SPI_INFO_BUFLEN 255

/* The low bits of `flag`: where the picture comes from. Higher bits are reserved (zero). */
#define SPI_INPUT_FILE 0   /* buf is a NUL-terminated path, len the byte offset of the picture */
#define SPI_INPUT_MEMORY 1 /* buf points at the picture's bytes in memory, len their count */
#define SPI_INPUT_MASK 7

/* Results of GetPictureInfo, GetPicture, GetPreview and the archive calls. */
#define SPI_NOT_IMPLEMENTED (-1)
#define SPI_SUCCESS 0
#define SPI_ABORTED 1          /* the progress callback answered non-zero */
#define SPI_UNSUPPORTED 2      /* not a file this plug-in reads */
#define SPI_OUT_OF_MEMORY 4    /* includes pictures larger than the plug-in will decode */
#define SPI_MEMORY_ERROR 5
#define SPI_FILE_READ_ERROR 6
#define SPI_RESERVED 7
#define SPI_INTERNAL_ERROR 8   /* malformed or truncated data */

/* A pointer-sized handle: a block allocated with malloc(), freed by the host. */
typedef void* SPI_HANDLE;

/* Called by GetPicture/GetPreview/GetFile from time to time with nNum of nDenom done.
 * Return 0 to go on; any other answer asks the plug-in to stop and return SPI_ABORTED.
 * Pass lData through unchanged: it identifies the host's load. */
typedef int32_t (*SPI_PROGRESS)(int32_t nNum, int32_t nDenom, intptr_t lData);

#pragma pack(push, 1)

/* Filled by GetPictureInfo. The host reads no field but frees hInfo (a malloc'ed text, or
 * NULL). Packed: 22 bytes plus one pointer. */
struct PictureInfo {
    int32_t left, top;      /* position of the picture in its canvas */
    int32_t width, height;  /* pixels */
    uint16_t x_density, y_density;
    int16_t colorDepth;     /* bits per pixel */
    SPI_HANDLE hInfo;       /* optional text about the picture */
};

/* One entry of an archive's member list (archive plug-ins only). */
struct SpiFileInfo {
    unsigned char method[8];
    uint64_t position;
    uint64_t compsize;
    uint64_t filesize;
    int64_t timestamp;  /* seconds since 1970 */
    char path[200];
    char filename[200];
    uint32_t crc;
};

#pragma pack(pop)

/* The picture a plug-in returns: the BITMAPINFO block is this 40-byte header directly
 * followed by its colour table (biClrUsed entries, or 2^biBitCount when biClrUsed is 0 and
 * biBitCount <= 8); the pixel block holds |biHeight| rows of ((biWidth * biBitCount + 31) / 32)
 * * 4 bytes, bottom row first (top row first when biHeight is negative), biCompression 0.
 * The host accepts biBitCount 1, 4, 8, 16, 24 or 32, at most 2^28 pixels, and blocks at least
 * as large as those sizes; anything else fails that attempt. Fields are little-endian. */
typedef struct SPI_BITMAPINFOHEADER {
    uint32_t biSize; /* 40 */
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes; /* 1 */
    uint16_t biBitCount;
    uint32_t biCompression; /* 0: uncompressed */
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
} SPI_BITMAPINFOHEADER;

typedef struct SPI_RGBQUAD {
    uint8_t rgbBlue, rgbGreen, rgbRed, rgbReserved;
} SPI_RGBQUAD;

#ifdef __cplusplus
static_assert(sizeof(SPI_BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");
static_assert(sizeof(PictureInfo) == 22 + sizeof(void*), "PictureInfo is packed");
#endif

/* The exports. Every one returns a 32-bit integer. */

/* Copies text number `infono` into buf (at most buflen bytes plus a NUL) and returns its
 * length; 0 when there is no such text. 0: API version ("00IN"), 1: plug-in name, then
 * pairs: 2n+2 the file patterns ("*.webp", several joined by ";"), 2n+3 the format name.
 * The host stops at the first pair one of whose calls returns less than 1. */
typedef int32_t (*SPI_GetPluginInfo)(int32_t infono, char* buf, int32_t buflen);

/* Non-zero when the plug-in reads this file. `filename` is the path (or the name of a
 * picture in memory); `dw` points at the head buffer, or SPI_MACBINARY_OFFSET bytes into it;
 * SPI_HEAD_SIZE bytes are readable from dw in both cases (zeros past the file's data).
 * Decide by the bytes, not by the name. */
typedef int32_t (*SPI_IsSupported)(const char* filename, const void* dw);

/* Fills *lpInfo with the picture's size and depth (see the flag values for buf and len). */
typedef int32_t (*SPI_GetPictureInfo)(const char* buf, intptr_t len, uint32_t flag, struct PictureInfo* lpInfo);

/* Decodes the picture: on SPI_SUCCESS *pHBInfo holds the BITMAPINFO block and *pHBm the pixel
 * block, both malloc'ed and from then on the host's. On failure set both to NULL and free
 * whatever you allocated. */
typedef int32_t (*SPI_GetPicture)(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* pHBInfo,
                                  SPI_HANDLE* pHBm, SPI_PROGRESS lpPrgressCallback, intptr_t lData);

/* As GetPicture, for a smaller picture quickly made; return SPI_NOT_IMPLEMENTED when there
 * is none. */
typedef int32_t (*SPI_GetPreview)(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* pHBInfo,
                                  SPI_HANDLE* pHBm, SPI_PROGRESS lpPrgressCallback, intptr_t lData);

/* Settings dialog of the plug-in; Pictavo never calls it. */
typedef int32_t (*SPI_ConfigurationDlg)(void* parent, int32_t fnc);

/* Archive plug-ins: checked for, never called by Pictavo. *lphInf receives a malloc'ed array
 * of SpiFileInfo ended by an entry whose method[0] is 0. */
typedef int32_t (*SPI_GetArchiveInfo)(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* lphInf);
typedef int32_t (*SPI_GetFileInfo)(const char* buf, intptr_t len, const char* filename, uint32_t flag,
                                   struct SpiFileInfo* lpInfo);
typedef int32_t (*SPI_GetFile)(const char* src, intptr_t len, char* dest, uint32_t flag,
                               SPI_PROGRESS lpPrgressCallback, intptr_t lData);

/* The exports themselves, so that the compiler checks a plug-in's definitions against them.
 * Define only those your kind needs (see the top of this file). */
SPI_EXPORT int32_t GetPluginInfo(int32_t infono, char* buf, int32_t buflen);
SPI_EXPORT int32_t IsSupported(const char* filename, const void* dw);
SPI_EXPORT int32_t GetPictureInfo(const char* buf, intptr_t len, uint32_t flag, struct PictureInfo* lpInfo);
SPI_EXPORT int32_t GetPicture(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* pHBInfo, SPI_HANDLE* pHBm,
                              SPI_PROGRESS lpPrgressCallback, intptr_t lData);
SPI_EXPORT int32_t GetPreview(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* pHBInfo, SPI_HANDLE* pHBm,
                              SPI_PROGRESS lpPrgressCallback, intptr_t lData);
SPI_EXPORT int32_t ConfigurationDlg(void* parent, int32_t fnc);
SPI_EXPORT int32_t GetArchiveInfo(const char* buf, intptr_t len, uint32_t flag, SPI_HANDLE* lphInf);
SPI_EXPORT int32_t GetFileInfo(const char* buf, intptr_t len, const char* filename, uint32_t flag,
                               struct SpiFileInfo* lpInfo);
SPI_EXPORT int32_t GetFile(const char* src, intptr_t len, char* dest, uint32_t flag, SPI_PROGRESS lpPrgressCallback,
                           intptr_t lData);

#ifdef __cplusplus
}
#endif

#endif /* PICTAVO_SUSIE_PLUGIN_API_H */
