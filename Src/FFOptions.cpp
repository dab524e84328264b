#include "Src/FFOptions.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <string>

#include "Src/AVCodecStubs.h"
#include "Src/AVFormatStubs.h"
#include "Src/AVUtilStubs.h"
#include "Src/FFmpegLogger.h"
#include "Src/SwScaleStubs.h"

namespace {

// The option flag a codec option needs per media type (0: any option).
const int TypeFlags[5] = {AV_OPT_FLAG_VIDEO_PARAM, AV_OPT_FLAG_AUDIO_PARAM, 0, AV_OPT_FLAG_SUBTITLE_PARAM, 0};

bool Blank(const char* AText) {
    for (const char* p = AText; p && *p; ++p)
        if (!std::isspace(static_cast<unsigned char>(*p))) return false;
    return true;
}

// Sets the option when the object knows it; the found option or none.
const AVOption* SetOn(void* AObject, const char* AName, const char* AValue, int AFlags, int& AResult) {
    const AVOption* o = AObject ? ff::av_opt_find(AObject, AName, nullptr, AFlags, 0) : nullptr;
    if (o) AResult = ff::av_opt_set(AObject, AName, AValue, 0);
    return o;
}

// Checks the value on a fresh private context of the encoder; the option's
// type and range decide.
const AVOption* SetPrivate(TFFOptions& AOpts, const char* AName, const char* AValue, int& AResult) {
    const AVOption* found = nullptr;
    for (int type = 0; type < 5 && AResult >= 0; ++type) {
        const AVCodec* encoder = AOpts.encoders[type];
        if (!encoder || !encoder->priv_class) continue;
        // The library reads the class through the pointer only (a "fake object").
        void* fake = const_cast<AVClass**>(&encoder->priv_class);
        const AVOption* o = ff::av_opt_find(fake, AName, nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ);
        if (!o) continue;
        found = o;
        AVCodecContext* scratch = ff::avcodec_alloc_context3(encoder);
        AResult = scratch && scratch->priv_data ? ff::av_opt_set(scratch->priv_data, AName, AValue, 0) : AVERROR(ENOMEM);
        if (scratch) ff::avcodec_free_context(&scratch);
        if (AResult >= 0) ff::av_dict_set(&AOpts.private_opts[type], AName, AValue, 0);
    }
    return found;
}

// Whether any private option table of the class's children (every encoder
// of avcodec_get_class, every muxer of avformat_get_class) has the name.
bool ChildrenKnow(const AVClass* AClass, const char* AName) {
    const AVClass* cls = AClass;
    return ff::av_opt_find(&cls, AName, nullptr, 0, AV_OPT_SEARCH_CHILDREN | AV_OPT_SEARCH_FAKE_OBJ) != nullptr;
}

}  // namespace

void TakePendingCodecOptions(TFFOptions& AOpts, const AVCodec* AEncoder, AVDictionary** ADict) {
    if (!AEncoder || !AEncoder->priv_class || !AOpts.pending_codec_opts) return;
    void* fake = const_cast<AVClass**>(&AEncoder->priv_class);
    AVDictionary* rest = nullptr;
    const AVDictionaryEntry* e = nullptr;
    while ((e = ff::av_dict_get(AOpts.pending_codec_opts, "", e, AV_DICT_IGNORE_SUFFIX))) {
        if (ff::av_opt_find(fake, e->key, nullptr, 0, AV_OPT_SEARCH_FAKE_OBJ)) ff::av_dict_set(ADict, e->key, e->value, 0);
        else ff::av_dict_set(&rest, e->key, e->value, 0);
    }
    ff::av_dict_free(&AOpts.pending_codec_opts);
    AOpts.pending_codec_opts = rest;
}

std::string ApplyMuxerOptions(const TFFOptions& AOpts, AVFormatContext* AOc, int& AError) {
    AError = 0;
    const AVDictionaryEntry* e = nullptr;
    while ((e = ff::av_dict_get(AOpts.muxer_opts, "", e, AV_DICT_IGNORE_SUFFIX))) {
        const bool known = AOc->priv_data && ff::av_opt_find(AOc->priv_data, e->key, nullptr, 0, 0);
        AError = known ? ff::av_opt_set(AOc->priv_data, e->key, e->value, 0) : AVERROR_OPTION_NOT_FOUND;
        if (AError < 0) return e->key;
    }
    return "";
}

void SetOptionEncoder(TFFOptions& AOpts, AVMediaType AType, const AVCodec* AEncoder) {
    if (AType >= 0 && AType < 5) AOpts.encoders[AType] = AEncoder;
}

void CopyPrivateOptions(const TFFOptions& AOpts, AVMediaType AType, AVDictionary** ADict) {
    if (AType >= 0 && AType < 5 && AOpts.private_opts[AType]) ff::av_dict_copy(ADict, AOpts.private_opts[AType], 0);
}

void InitOptionContexts(TFFOptions& AOpts) {
    AOpts.opt_names.clear();
    for (auto*& c : AOpts.avcodec_opts) c = nullptr;
    AOpts.avformat_opts = nullptr;
    AOpts.sws_opts = nullptr;
    for (auto& e : AOpts.encoders) e = nullptr;
    for (auto& d : AOpts.private_opts) d = nullptr;
    AOpts.pending_codec_opts = nullptr;
    AOpts.muxer_opts = nullptr;
}

bool AllocOptionContexts(TFFOptions& AOpts, int ASwsFlags) {
    for (int type = 0; type < 5; ++type) {
        AOpts.avcodec_opts[type] = ff::avcodec_alloc_context3(nullptr);
        if (AOpts.avcodec_opts[type]) AOpts.avcodec_opts[type]->codec_type = static_cast<AVMediaType>(type);
    }
    AOpts.avformat_opts = ff::avformat_alloc_context();
    AOpts.sws_opts = ff::sws_getContext(16, 16, AV_PIX_FMT_YUV420P, 16, 16, AV_PIX_FMT_YUV420P, ASwsFlags, nullptr,
                                        nullptr, nullptr);
    bool ok = AOpts.avformat_opts && AOpts.sws_opts;
    for (auto* c : AOpts.avcodec_opts) ok = ok && c;
    if (!ok) FreeOptionContexts(AOpts);
    return ok;
}

void FreeOptionContexts(TFFOptions& AOpts) {
    for (auto*& c : AOpts.avcodec_opts)
        if (c) ff::avcodec_free_context(&c);
    if (AOpts.avformat_opts) ff::avformat_free_context(AOpts.avformat_opts);
    if (AOpts.sws_opts) ff::sws_freeContext(AOpts.sws_opts);
    for (auto& d : AOpts.private_opts) ff::av_dict_free(&d);
    ff::av_dict_free(&AOpts.pending_codec_opts);
    ff::av_dict_free(&AOpts.muxer_opts);
    InitOptionContexts(AOpts);
}

bool SetOption(TFFOptions& AOpts, const char* AName, const char* AValue) { return TrySetOption(AOpts, AName, AValue) > 0; }

int TrySetOption(TFFOptions& AOpts, const char* AName, const char* AValue) {
    if (Blank(AName) || Blank(AValue) || !AOpts.avcodec_opts[0]) return 0;
    int result = 0;
    const AVOption* found = nullptr;
    // "b" and "bt" are the video bit rate and its tolerance here ("ab" is the
    // audio one); the libraries would let them reach the audio encoder too.
    const bool videoOnly = !strcmp(AName, "b") || !strcmp(AName, "bt");
    for (int type = 0; type < (videoOnly ? 1 : 5) && result >= 0; ++type) {
        const AVOption* o = ff::av_opt_find(AOpts.avcodec_opts[0], AName, nullptr, TypeFlags[type], 0);
        if (!o) continue;
        found = o;
        result = ff::av_opt_set(AOpts.avcodec_opts[type], AName, AValue, 0);
    }
    if (!found) found = SetOn(AOpts.avformat_opts, AName, AValue, 0, result);
    if (!found) found = SetOn(AOpts.sws_opts, AName, AValue, 0, result);
    if (!found && (AName[0] == 'a' || AName[0] == 'v' || AName[0] == 's')) {
        const int type = AName[0] == 'a' ? AVMEDIA_TYPE_AUDIO : AName[0] == 'v' ? AVMEDIA_TYPE_VIDEO : AVMEDIA_TYPE_SUBTITLE;
        found = SetOn(AOpts.avcodec_opts[type], AName + 1, AValue, 0, result);
    }
    const bool isPrivate = !found && (found = SetPrivate(AOpts, AName, AValue, result)) != nullptr;
    if (found && result < 0) {
        ff::av_log(nullptr, AV_LOG_ERROR, "Invalid value \"%s\" for option \"%s\"\n", AValue, AName);
        return result;
    }
    if (!found) {
        // Private to an encoder not named yet, or to a muxer: kept for the
        // moment the real object exists, which then checks the value.
        if (ChildrenKnow(ff::avcodec_get_class(), AName))
            return ff::av_dict_set(&AOpts.pending_codec_opts, AName, AValue, 0) < 0 ? AVERROR(ENOMEM) : 1;
        if (ChildrenKnow(ff::avformat_get_class(), AName))
            return ff::av_dict_set(&AOpts.muxer_opts, AName, AValue, 0) < 0 ? AVERROR(ENOMEM) : 1;
        return 0;
    }
    if (isPrivate) return 1;  // kept for the encoder's open, not in the generic contexts
    AOpts.opt_names.push_back(found->name);
    if (AOpts.avcodec_opts[0]->debug || AOpts.avformat_opts->debug) GlobalLogger()->SetLogLevel(llDebug);
    return 1;
}

void ApplyOptions(const TFFOptions& AOpts, void* ATarget, void* ASource, int AFlags) {
    AVDictionary* values = OptionsDictionary(AOpts, ASource, AFlags);
    for (const AVDictionaryEntry* e = nullptr; (e = ff::av_dict_get(values, "", e, AV_DICT_IGNORE_SUFFIX));)
        ff::av_opt_set(ATarget, e->key, e->value, 0);
    ff::av_dict_free(&values);
}

AVDictionary* OptionsDictionary(const TFFOptions& AOpts, void* ASource, int AFlags) {
    AVDictionary* dict = nullptr;
    for (const char* name : AOpts.opt_names) {
        const AVOption* o = ff::av_opt_find(ASource, name, nullptr, 0, 0);
        if (!o || (o->flags & AFlags) != AFlags) continue;
        uint8_t* value = nullptr;
        if (ff::av_opt_get(ASource, name, 0, &value) >= 0 && value && *value)
            ff::av_dict_set(&dict, name, reinterpret_cast<char*>(value), 0);
        ff::av_free(value);
    }
    return dict;
}
