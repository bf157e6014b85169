#include "decoder/H264Library.h"
#include "media/PictureDecoder.h"

bool CLibraryPictureDecoder::IsPresent() const {
    return m_library != nullptr && m_library->IsLoaded();
}

int CLibraryPictureDecoder::Init(PT_H264DEC_CONTEXT* ctx) {
    return IsPresent() ? m_library->Init(ctx) : PT_H264DEC_ERR_PARAM;
}

int CLibraryPictureDecoder::GetOneFrame(PT_H264DEC_CONTEXT* ctx, const BYTE* data, int len, BYTE* dst) {
    return IsPresent() ? m_library->GetOneFrame(ctx, data, len, dst) : PT_H264DEC_ERR_PARAM;
}

int CLibraryPictureDecoder::Uninit(PT_H264DEC_CONTEXT* ctx) {
    return IsPresent() ? m_library->Uninit(ctx) : 0;
}
