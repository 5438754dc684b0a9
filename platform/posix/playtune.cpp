// huevox-tune FILE: plays FILE once to the desktop's sound server and exits.
// The program starts it for the intro tune, so the decoder, the sound server's
// client and their threads live only as long as the tune and never in the
// program's own memory. Exit status 0 when the tune has played to its end;
// otherwise one line on stderr says why.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}
#include <pulse/error.h>
#include <pulse/simple.h>
#include <signal.h>
#include <sys/prctl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr AVSampleFormat kFormat = AV_SAMPLE_FMT_S16;  // PA_SAMPLE_S16NE

int Fail(const std::string& why) {
  std::fprintf(stderr, "%s\n", why.c_str());
  return 1;
}

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

struct Decoder {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  SwrContext* resampler = nullptr;
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  int stream = -1;
  ~Decoder() {
    av_frame_free(&frame);
    av_packet_free(&packet);
    swr_free(&resampler);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
  }
};

// Opens the file's first audio stream and a converter to 16-bit interleaved
// samples at the stream's own rate and channels; empty, or why not.
std::string Open(Decoder& d, const char* path) {
  int code = avformat_open_input(&d.format, path, nullptr, nullptr);
  if (code >= 0) code = avformat_find_stream_info(d.format, nullptr);
  const AVCodec* codec = nullptr;
  if (code >= 0) code = d.stream = av_find_best_stream(d.format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
  if (code < 0) return AvError(code);
  d.codec = avcodec_alloc_context3(codec);
  code = avcodec_parameters_to_context(d.codec, d.format->streams[d.stream]->codecpar);
  if (code >= 0) code = avcodec_open2(d.codec, codec, nullptr);
  if (code >= 0)
    code = swr_alloc_set_opts2(&d.resampler, &d.codec->ch_layout, kFormat, d.codec->sample_rate,
                               &d.codec->ch_layout, d.codec->sample_fmt, d.codec->sample_rate, 0, nullptr);
  if (code >= 0) code = swr_init(d.resampler);
  if (code < 0) return AvError(code);
  if (d.codec->ch_layout.nb_channels < 1 || d.codec->ch_layout.nb_channels > static_cast<int>(PA_CHANNELS_MAX) ||
      d.codec->sample_rate <= 0)
    return "unsupported audio stream";
  return {};
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) return Fail("usage: huevox-tune FILE");
  // Ends with the program that started it, however that ends.
  prctl(PR_SET_PDEATHSIG, SIGTERM);
  signal(SIGPIPE, SIG_IGN);
  av_log_set_level(AV_LOG_QUIET);

  Decoder d;
  if (std::string why = Open(d, argv[1]); !why.empty()) return Fail(why);
  const int channels = d.codec->ch_layout.nb_channels;
  const pa_sample_spec format{PA_SAMPLE_S16NE, static_cast<uint32_t>(d.codec->sample_rate),
                              static_cast<uint8_t>(channels)};
  int paError = 0;
  pa_simple* sink = pa_simple_new(nullptr, "Huevox", PA_STREAM_PLAYBACK, nullptr, "intro tune", &format,
                                  nullptr, nullptr, &paError);
  if (!sink) return Fail(std::string("no sound output (") + pa_strerror(paError) + ")");

  std::vector<uint8_t> samples;
  // Converts what the resampler is handed (nothing: its remainder) and plays it.
  auto play = [&](const AVFrame* frame) {
    const int in = frame ? frame->nb_samples : 0;
    const int room = swr_get_out_samples(d.resampler, in);
    if (room <= 0) return true;
    samples.resize(static_cast<size_t>(room) * channels * 2);
    uint8_t* out = samples.data();
    const int got = swr_convert(d.resampler, &out, room,
                                frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr, in);
    return got <= 0 || pa_simple_write(sink, out, static_cast<size_t>(got) * channels * 2, &paError) >= 0;
  };
  auto drain = [&] {
    while (avcodec_receive_frame(d.codec, d.frame) >= 0)
      if (!play(d.frame)) return false;
    return true;
  };
  bool ok = true;
  while (ok && av_read_frame(d.format, d.packet) >= 0) {
    if (d.packet->stream_index == d.stream && avcodec_send_packet(d.codec, d.packet) >= 0) ok = drain();
    av_packet_unref(d.packet);
  }
  if (ok) ok = avcodec_send_packet(d.codec, nullptr) >= 0 && drain() && play(nullptr);
  if (ok) ok = pa_simple_drain(sink, &paError) >= 0;
  pa_simple_free(sink);
  return ok ? 0 : Fail(std::string("sound output lost (") + pa_strerror(paError) + ")");
}
