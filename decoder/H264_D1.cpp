// The three entry points of libH264_D1.so over CH264Session. Only these are exported.

#include "decoder/H264_D1.h"
#include "decoder/H264Session.h"

#define PT_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

CH264Session* SessionOf(PT_H264DEC_CONTEXT* ctx) {
    if (!ctx || !ctx->initialised) {
        return nullptr;
    }
    return static_cast<CH264Session*>(ctx->session);
}

} // namespace

PT_EXPORT int PT_H264dec_Init(PT_H264DEC_CONTEXT* ctx) {
    if (!ctx) {
        return PT_H264DEC_ERR_PARAM;
    }
    // Init on a context that is still initialised starts it afresh instead of leaking its decoder.
    PT_H264dec_Uninit(ctx);
    std::unique_ptr<CH264Session> session = CH264Session::Create();
    if (!session) {
        return PT_H264DEC_ERR_PARAM;
    }
    ctx->session = session.release();
    ctx->initialised = 1;
    ctx->width = 0;
    ctx->height = 0;
    ctx->dropped = 0;
    return PT_H264DEC_OK;
}

PT_EXPORT int PT_H264dec_GetOneFrame(PT_H264DEC_CONTEXT* ctx, const unsigned char* data, int len, unsigned char* dst) {
    CH264Session* session = SessionOf(ctx);
    if (!session) {
        return PT_H264DEC_ERR_PARAM;
    }
    CH264Session::Picture picture;
    const int result = session->Decode(data, len, ctx->output_format, dst, picture);
    if (picture.width > 0) {
        ctx->width = static_cast<uint32_t>(picture.width);
        ctx->height = static_cast<uint32_t>(picture.height);
    }
    if (result == PT_H264DEC_DROPPED) {
        ++ctx->dropped;
    }
    return result;
}

PT_EXPORT int PT_H264dec_Uninit(PT_H264DEC_CONTEXT* ctx) {
    if (!ctx || !ctx->initialised) {
        return 0;
    }
    delete static_cast<CH264Session*>(ctx->session);
    ctx->session = nullptr;
    ctx->initialised = 0;
    return 0;
}
