#include "Mp3Encoder.h"

#include <lame/lame.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

constexpr int kBlockFrames = 8192;
// LAME's quality setting for its quantisation search: 3 sounds like 2 at a third of the time.
constexpr int kLameQuality = 3;
constexpr float kLameHeadRoom = 0.95f;

bool encode(lame_global_flags* lame, const Stereo& audio, std::vector<unsigned char>& mp3) {
    std::vector<unsigned char> block(static_cast<size_t>(1.25 * kBlockFrames + 7200));
    for (size_t start = 0; start < audio.frames(); start += kBlockFrames) {
        const int count = static_cast<int>(std::min<size_t>(kBlockFrames, audio.frames() - start));
        const int written = lame_encode_buffer_ieee_float(
            lame, audio.left.data() + start, audio.right.data() + start, count, block.data(),
            static_cast<int>(block.size()));
        if (written < 0) return false;
        mp3.insert(mp3.end(), block.begin(), block.begin() + written);
    }
    const int flushed = lame_encode_flush(lame, block.data(), static_cast<int>(block.size()));
    if (flushed < 0) return false;
    mp3.insert(mp3.end(), block.begin(), block.begin() + flushed);

    // The first frame was reserved for the information frame, which is known only now.
    std::vector<unsigned char> tag(8192);
    const size_t tagSize = lame_get_lametag_frame(lame, tag.data(), tag.size());
    if (tagSize == 0 || tagSize > tag.size() || tagSize > mp3.size()) return false;
    std::copy(tag.begin(), tag.begin() + static_cast<long>(tagSize), mp3.begin());
    return true;
}

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) return false;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

}  // namespace

bool writeMp3(const std::string& path, const Stereo& audio, int kilobitsPerSecond) {
    lame_global_flags* lame = lame_init();
    if (!lame) return false;
    lame_set_in_samplerate(lame, kSampleRate);
    lame_set_out_samplerate(lame, kSampleRate);
    lame_set_num_channels(lame, 2);
    lame_set_mode(lame, JOINT_STEREO);
    lame_set_VBR(lame, vbr_off);
    lame_set_brate(lame, kilobitsPerSecond);
    lame_set_quality(lame, kLameQuality);
    lame_set_lowpassfreq(lame, static_cast<int>(kEncoderLowPass));
    // LAME's set-up multiplies the input scale by 0.95 (0.45 dB of head room); undone, so that the
    // file keeps the level it was made to.
    lame_set_scale(lame, 1.0f / kLameHeadRoom);
    lame_set_bWriteVbrTag(lame, 1);
    lame_set_write_id3tag_automatic(lame, 0);
    std::vector<unsigned char> mp3;
    const bool encoded = lame_init_params(lame) >= 0 && encode(lame, audio, mp3);
    lame_close(lame);
    return encoded && writeFile(path, mp3);
}
