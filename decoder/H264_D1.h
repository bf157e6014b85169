#ifndef KELO_DECODER_H264_D1_H
#define KELO_DECODER_H264_D1_H
/*
 * The H.264 decoder library libH264_D1.so. The client loads it by name and looks up the three entry
 * points below; they use the platform's C calling convention.
 *
 * A caller owns one 48-byte context per stream: zero it, set `mode` to 1 and `output_format`, then
 * Uninit (harmless on a fresh context), Init, and GetOneFrame for every access unit. Each context
 * decodes on the calling thread only; contexts are independent and may be used on different threads
 * at the same time.
 *
 * GetOneFrame writes the picture into the caller's frame buffer of PT_H264DEC_FRAME_BUFFER_SIZE bytes
 * (720 x 576 x 3). The picture size comes from the bitstream, so it is checked against that buffer: a
 * picture wider than 720, higher than 576 or of an odd size is decoded but not delivered
 * (PT_H264DEC_DROPPED), and nothing is written. The size of the last decoded picture is left in the
 * context, since it may differ from what the stream's framing announced.
 *
 * Output formats:
 *   PT_H264DEC_FORMAT_YUV420  planar 4:2:0, tightly packed: Y (w x h), then U, then V (w/2 x h/2 each)
 *   PT_H264DEC_FORMAT_RGB24   3 bytes per pixel in B, G, R order, rows top to bottom, no row padding
 *                             (the drawing path turns the rows into bottom-up order itself)
 */

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define PT_H264DEC_FORMAT_YUV420 0
#define PT_H264DEC_FORMAT_RGB24 3

#define PT_H264DEC_MAX_WIDTH 720
#define PT_H264DEC_MAX_HEIGHT 576
#define PT_H264DEC_FRAME_BUFFER_SIZE (PT_H264DEC_MAX_WIDTH * PT_H264DEC_MAX_HEIGHT * 3)

/* Results of PT_H264dec_GetOneFrame. */
#define PT_H264DEC_OK 0           /* a picture is in the destination */
#define PT_H264DEC_AGAIN 1        /* call again with the same arguments (reserved: not produced) */
#define PT_H264DEC_NO_PICTURE 2   /* the data was taken; no picture is complete yet */
#define PT_H264DEC_DROPPED 3      /* a picture was decoded but does not fit the frame buffer */
#define PT_H264DEC_REINIT (-5)    /* the decoder failed: Uninit, Init and call again */
#define PT_H264DEC_ERR_PARAM (-1) /* no context, not initialised, bad length or output format */
#define PT_H264DEC_ERR_DATA (-2)  /* the data is not an H.264 access unit or could not be decoded */

typedef struct PT_H264DEC_CONTEXT {
    void* session;                               /*  0: the library's decoder, null when not initialised */
    unsigned char reserved0[16 - sizeof(void*)]; /*     (pads the pointer to 16 bytes) */
    uint32_t initialised;                        /* 16: non-zero once Init succeeded */
    uint32_t mode;                               /* 20: set to 1 by the caller */
    uint32_t output_format;                      /* 24: PT_H264DEC_FORMAT_YUV420 or PT_H264DEC_FORMAT_RGB24 */
    uint32_t width;                              /* 28: size of the last picture decoded, delivered or not */
    uint32_t height;                             /* 32 */
    uint32_t dropped;                            /* 36: pictures decoded but dropped for their size */
    uint32_t reserved1[2];                       /* 40 */
} PT_H264DEC_CONTEXT;

#ifdef __cplusplus
static_assert(sizeof(PT_H264DEC_CONTEXT) == 48, "the decoder context is 48 bytes");
static_assert(offsetof(PT_H264DEC_CONTEXT, initialised) == 16 && offsetof(PT_H264DEC_CONTEXT, mode) == 20 &&
                  offsetof(PT_H264DEC_CONTEXT, output_format) == 24 && offsetof(PT_H264DEC_CONTEXT, width) == 28,
              "the context words the caller uses keep their offsets");
#else
_Static_assert(sizeof(PT_H264DEC_CONTEXT) == 48, "the decoder context is 48 bytes");
#endif

/* 0 when the context is ready; any other value leaves it uninitialised. */
int PT_H264dec_Init(PT_H264DEC_CONTEXT* ctx);
/* Decodes one access unit of len bytes (Annex B) into dst. See the results above. */
int PT_H264dec_GetOneFrame(PT_H264DEC_CONTEXT* ctx, const unsigned char* data, int len, unsigned char* dst);
/* Frees the decoder; a context that is not initialised is left as it is. Returns 0. */
int PT_H264dec_Uninit(PT_H264DEC_CONTEXT* ctx);

typedef int (*PFN_PT_H264dec_Init)(PT_H264DEC_CONTEXT* ctx);
typedef int (*PFN_PT_H264dec_GetOneFrame)(PT_H264DEC_CONTEXT* ctx, const unsigned char* data, int len,
                                          unsigned char* dst);
typedef int (*PFN_PT_H264dec_Uninit)(PT_H264DEC_CONTEXT* ctx);

#ifdef __cplusplus
}
#endif

#endif
