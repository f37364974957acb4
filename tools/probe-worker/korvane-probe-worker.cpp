// korvane-probe-worker: describes media files and draws their thumbnails with the decoder
// libraries, in-process, for as long as the player runs.
//
// It reads requests on standard input and answers on standard output. Every message is one header
// line and a body of the length the header gives:
//
//   request:  <id> <kind> <length>\n<body>      kind: describe | thumbnail
//   answer:   <id> <status> <length>\n<body>    status: ok | failed
//
// A request body is a list of "key=value" items, each ended by a NUL byte: input (the decoder's
// name for the file), format.<option> (an input option such as analyzeduration), and for a
// thumbnail seek, width, height, output, stream and noautorotate. An answer body is what the
// libraries logged while they worked, in the decoder program's words, so that the describe text
// reads exactly like the program's (without its banner and its complaints about the command).
//
// Requests run at once, one per core; answers leave in the order they finish.

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libavutil/display.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* Greeting = "korvane-probe-worker 1\n";

struct Request
{
    std::string id;
    std::string kind;
    std::map<std::string, std::string> items;
};

struct Answer
{
    bool ok = false;
    std::string text;
};

// The log of the request running on this thread. The libraries log on the calling thread while
// they open, probe and decode single-threaded, so each request sees only its own lines.
struct ThreadLog
{
    std::string* text = nullptr;
    int printPrefix = 1;
    int repeated = 0;
    std::string previous;
};
thread_local ThreadLog t_log;

void sanitize(std::string& line)
{
    for (char& c : line) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x08 || (u > 0x0D && u < 0x20)) {
            c = '?';
        }
    }
}

// Formats like the library's own printer does for the decoder program: prefixes for contexts,
// repeats of a line folded into one count, control characters shown as "?".
void logLine(void* context, int level, const char* format, va_list args)
{
    if (level >= 0) {
        level &= 0xff;
    }
    if (level > AV_LOG_INFO || t_log.text == nullptr) {
        return;
    }
    std::vector<char> buffer(1024);
    va_list copy;
    va_copy(copy, args);
    int printPrefix = t_log.printPrefix;
    int needed = av_log_format_line2(context, level, format, copy, buffer.data(),
                                     static_cast<int>(buffer.size()), &printPrefix);
    va_end(copy);
    if (needed >= static_cast<int>(buffer.size())) {
        buffer.resize(static_cast<size_t>(needed) + 1);
        printPrefix = t_log.printPrefix;
        va_copy(copy, args);
        needed = av_log_format_line2(context, level, format, copy, buffer.data(),
                                     static_cast<int>(buffer.size()), &printPrefix);
        va_end(copy);
    }
    t_log.printPrefix = printPrefix;
    if (needed < 0) {
        return;
    }
    std::string line(buffer.data());
    // The library compares only the first 1023 bytes of a line with the one before.
    const std::string key = line.substr(0, 1023);
    if (printPrefix && !key.empty() && key == t_log.previous && key.back() != '\r') {
        ++t_log.repeated;
        return;
    }
    if (t_log.repeated > 0) {
        *t_log.text += "    Last message repeated " + std::to_string(t_log.repeated) + " times\n";
        t_log.repeated = 0;
    }
    t_log.previous = key;
    sanitize(line);
    *t_log.text += line;
}

void logf(int level, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    av_vlog(nullptr, level, format, args);
    va_end(args);
}

class LogScope
{
public:
    explicit LogScope(std::string& text) { t_log = ThreadLog{&text, 1, 0, {}}; }
    ~LogScope()
    {
        if (t_log.repeated > 0 && t_log.text != nullptr) {
            *t_log.text +=
                "    Last message repeated " + std::to_string(t_log.repeated) + " times\n";
        }
        t_log = ThreadLog{};
    }
    LogScope(const LogScope&) = delete;
    LogScope& operator=(const LogScope&) = delete;
};

std::string errorText(int error)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    if (av_strerror(error, text, sizeof(text)) < 0) {
        return std::strerror(AVUNERROR(error));
    }
    return text;
}

#ifdef KORVANE_WORKER_TEST_HOOKS
// Only the debug build knows these names: they let tests prove that a crash or a hang costs one
// file.
void testHooks(const std::string& input)
{
    auto endsWith = [&](const char* tail) {
        const size_t n = std::strlen(tail);
        return input.size() >= n && input.compare(input.size() - n, n, tail) == 0;
    };
    if (endsWith(".crash")) {
        std::signal(SIGSEGV, SIG_DFL);
        std::raise(SIGSEGV);
    }
    if (endsWith(".hang")) {
        for (;;) {
            ::pause();
        }
    }
}
#else
void testHooks(const std::string&) {}
#endif

struct InputCloser
{
    AVFormatContext* context = nullptr;
    ~InputCloser() { avformat_close_input(&context); }
};

// Opens the input as the decoder program opens an input file: non-blocking, every PMT of a
// transport stream scanned, stream information found. Logs what the program logs when that fails.
// Returns false when the program would have given up on the file.
bool openInput(const Request& request, InputCloser& input)
{
    const std::string url = request.items.count("input") ? request.items.at("input") : "";
    testHooks(url);
    AVDictionary* options = nullptr;
    for (const auto& [key, value] : request.items) {
        if (key.rfind("format.", 0) == 0) {
            av_dict_set(&options, key.c_str() + 7, value.c_str(), 0);
        }
    }
    const bool scanSet =
        av_dict_get(options, "scan_all_pmts", nullptr, AV_DICT_MATCH_CASE) == nullptr;
    if (scanSet) {
        av_dict_set(&options, "scan_all_pmts", "1", AV_DICT_DONT_OVERWRITE);
    }
    input.context = avformat_alloc_context();
    if (input.context == nullptr) {
        av_dict_free(&options);
        logf(AV_LOG_ERROR, "%s: %s\n", url.c_str(), errorText(AVERROR(ENOMEM)).c_str());
        return false;
    }
    input.context->flags |= AVFMT_FLAG_NONBLOCK;
    const int error = avformat_open_input(&input.context, url.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (error < 0) {
        logf(AV_LOG_ERROR, "%s: %s\n", url.c_str(), errorText(error).c_str());
        return false;
    }
    if (avformat_find_stream_info(input.context, nullptr) < 0) {
        logf(AV_LOG_FATAL, "%s: could not find codec parameters\n", url.c_str());
        if (input.context->nb_streams == 0) {
            return false;
        }
    }
    return true;
}

// The program fills in a default layout for audio streams whose layout is unknown, and says so.
void guessChannelLayouts(AVFormatContext* context)
{
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVCodecParameters* parameters = context->streams[i]->codecpar;
        if (parameters->codec_type != AVMEDIA_TYPE_AUDIO ||
            parameters->ch_layout.order != AV_CHANNEL_ORDER_UNSPEC) {
            continue;
        }
        AVChannelLayout layout;
        av_channel_layout_default(&layout, parameters->ch_layout.nb_channels);
        if (layout.order != AV_CHANNEL_ORDER_UNSPEC) {
            char name[256] = {};
            av_channel_layout_describe(&layout, name, sizeof(name));
            logf(AV_LOG_WARNING, "Guessed Channel Layout for Input Stream #%d.%d : %s\n", 0,
                 static_cast<int>(i), name);
            // The program's description then names the guessed layout.
            av_channel_layout_copy(&context->streams[i]->codecpar->ch_layout, &layout);
        }
        av_channel_layout_uninit(&layout);
    }
}

Answer describe(const Request& request)
{
    Answer answer;
    LogScope scope(answer.text);
    InputCloser input;
    if (!openInput(request, input)) {
        return answer;
    }
    guessChannelLayouts(input.context);
    av_dump_format(input.context, 0, request.items.at("input").c_str(), 0);
    answer.ok = true;
    return answer;
}

// --- thumbnails -------------------------------------------------------------------------------

struct CodecCloser
{
    AVCodecContext* context = nullptr;
    ~CodecCloser() { avcodec_free_context(&context); }
};

struct FrameHolder
{
    AVFrame* frame = av_frame_alloc();
    ~FrameHolder() { av_frame_free(&frame); }
};

struct PacketHolder
{
    AVPacket* packet = av_packet_alloc();
    ~PacketHolder() { av_packet_free(&packet); }
};

// The stream the program would pick for a picture: the largest default-preferring video stream,
// an attached picture only when nothing else is there; or the one the request names.
int chooseStream(AVFormatContext* context, const std::string& spec)
{
    if (!spec.empty()) {
        for (unsigned i = 0; i < context->nb_streams; ++i) {
            if (avformat_match_stream_specifier(context, context->streams[i], spec.c_str()) > 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    int best = -1;
    long long bestScore = -1;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream* stream = context->streams[i];
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_VIDEO) {
            continue;
        }
        long long score =
            static_cast<long long>(stream->codecpar->width) * stream->codecpar->height +
            5000000LL * ((stream->disposition & AV_DISPOSITION_DEFAULT) != 0);
        if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) {
            score = 1;
        }
        if (score > bestScore) {
            bestScore = score;
            best = static_cast<int>(i);
        }
    }
    return best;
}

// The turn the program applies to an upright picture, in degrees: 0, 90, 180 or 270.
int rotationOf(const AVStream* stream)
{
    const auto* matrix = reinterpret_cast<const int32_t*>(
        av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (matrix == nullptr) {
        return 0;
    }
    double theta = -std::round(av_display_rotation_get(matrix));
    theta -= 360 * std::floor(theta / 360 + 0.9 / 360);
    if (std::fabs(theta - 90) < 1.0) {
        return 90;
    }
    if (std::fabs(theta - 180) < 1.0) {
        return 180;
    }
    if (std::fabs(theta - 270) < 1.0) {
        return 270;
    }
    return 0;
}

// Turns one plane by a quarter, half or three quarters clockwise into out.
void turnPlane(const uint8_t* in, int inStride, int w, int h, int degrees, uint8_t* out,
               int outStride)
{
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint8_t v = in[y * inStride + x];
            int ox = x;
            int oy = y;
            if (degrees == 90) {
                ox = h - 1 - y;
                oy = x;
            } else if (degrees == 180) {
                ox = w - 1 - x;
                oy = h - 1 - y;
            } else if (degrees == 270) {
                ox = y;
                oy = w - 1 - x;
            }
            out[oy * outStride + ox] = v;
        }
    }
}

bool writeJpeg(const AVFrame* picture, const std::string& path)
{
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MJPEG);
    if (codec == nullptr) {
        logf(AV_LOG_ERROR, "No JPEG encoder\n");
        return false;
    }
    CodecCloser encoder;
    encoder.context = avcodec_alloc_context3(codec);
    encoder.context->width = picture->width;
    encoder.context->height = picture->height;
    encoder.context->pix_fmt = AV_PIX_FMT_YUVJ420P;
    encoder.context->time_base = AVRational{1, 25};
    encoder.context->flags |= AV_CODEC_FLAG_QSCALE;
    encoder.context->global_quality = FF_QP2LAMBDA * 3;
    encoder.context->thread_count = 1;
    if (avcodec_open2(encoder.context, codec, nullptr) < 0) {
        return false;
    }
    AVFrame* frame = av_frame_clone(picture);
    frame->quality = encoder.context->global_quality;
    frame->pict_type = AV_PICTURE_TYPE_I;
    int error = avcodec_send_frame(encoder.context, frame);
    av_frame_free(&frame);
    PacketHolder packet;
    if (error >= 0) {
        avcodec_send_frame(encoder.context, nullptr);
        error = avcodec_receive_packet(encoder.context, packet.packet);
    }
    if (error < 0) {
        logf(AV_LOG_ERROR, "Could not encode the picture: %s\n", errorText(error).c_str());
        return false;
    }
    // A whole file or none: the reader must never see half a picture.
    const std::string part = path + ".part";
    FILE* file = std::fopen(part.c_str(), "wb");
    if (file == nullptr) {
        logf(AV_LOG_ERROR, "%s: %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    const size_t size = static_cast<size_t>(packet.packet->size);
    const bool written = std::fwrite(packet.packet->data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !written || std::rename(part.c_str(), path.c_str()) != 0) {
        logf(AV_LOG_ERROR, "%s: %s\n", path.c_str(), std::strerror(errno));
        std::remove(part.c_str());
        return false;
    }
    return true;
}

// Scales the decoded frame to the box (turned as the stream asks) and writes it.
bool savePicture(const AVFrame* decoded, int width, int height, int degrees,
                 const std::string& path)
{
    const bool across = degrees == 90 || degrees == 270;
    const int scaledW = across ? height : width;
    const int scaledH = across ? width : height;
    SwsContext* scaler = sws_getContext(
        decoded->width, decoded->height, static_cast<AVPixelFormat>(decoded->format), scaledW,
        scaledH, AV_PIX_FMT_YUVJ420P, SWS_FAST_BILINEAR, nullptr, nullptr, nullptr);
    if (scaler == nullptr) {
        logf(AV_LOG_ERROR, "Cannot scale the picture\n");
        return false;
    }
    FrameHolder scaled;
    scaled.frame->format = AV_PIX_FMT_YUVJ420P;
    scaled.frame->width = scaledW;
    scaled.frame->height = scaledH;
    av_frame_get_buffer(scaled.frame, 0);
    sws_scale(scaler, decoded->data, decoded->linesize, 0, decoded->height, scaled.frame->data,
              scaled.frame->linesize);
    sws_freeContext(scaler);
    if (degrees == 0) {
        return writeJpeg(scaled.frame, path);
    }
    FrameHolder turned;
    turned.frame->format = AV_PIX_FMT_YUVJ420P;
    turned.frame->width = width;
    turned.frame->height = height;
    av_frame_get_buffer(turned.frame, 0);
    for (int p = 0; p < 3; ++p) {
        const int shift = p == 0 ? 0 : 1;
        turnPlane(scaled.frame->data[p], scaled.frame->linesize[p], scaledW >> shift,
                  scaledH >> shift, degrees, turned.frame->data[p], turned.frame->linesize[p]);
    }
    return writeJpeg(turned.frame, path);
}

int intItem(const Request& request, const char* key)
{
    const auto it = request.items.find(key);
    return it == request.items.end() ? 0 : std::atoi(it->second.c_str());
}

// Draws the picture as "-ss T -i input -frames:v 1 -an -s WxH -f image2 output" does: seek to the
// keyframe before T, decode up to T, scale, write one JPEG. An attached picture is taken as it is.
Answer thumbnail(const Request& request)
{
    Answer answer;
    LogScope scope(answer.text);
    InputCloser input;
    if (!openInput(request, input)) {
        return answer;
    }
    AVFormatContext* context = input.context;
    const std::string spec = request.items.count("stream") ? request.items.at("stream") : "";
    const int index = chooseStream(context, spec);
    const int width = intItem(request, "width");
    const int height = intItem(request, "height");
    const std::string output = request.items.count("output") ? request.items.at("output") : "";
    if (index < 0 || width <= 0 || height <= 0 || width % 2 != 0 || height % 2 != 0 ||
        output.empty()) {
        logf(AV_LOG_ERROR, "Output file does not contain any stream\n");
        return answer;
    }
    AVStream* stream = context->streams[index];
    const int degrees = request.items.count("noautorotate") ? 0 : rotationOf(stream);
    const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
    if (codec == nullptr) {
        logf(AV_LOG_ERROR, "Decoder not found for stream #0:%d\n", index);
        return answer;
    }
    CodecCloser decoder;
    decoder.context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(decoder.context, stream->codecpar);
    decoder.context->pkt_timebase = stream->time_base;
    // One request per core already keeps every core busy.
    decoder.context->thread_count = 1;
    if (avcodec_open2(decoder.context, codec, nullptr) < 0) {
        logf(AV_LOG_ERROR, "Error while opening decoder for input stream #0:%d\n", index);
        return answer;
    }

    FrameHolder frame;
    PacketHolder packet;
    auto decodeOne = [&](AVPacket* p) -> int {
        int e = avcodec_send_packet(decoder.context, p);
        if (e < 0 && e != AVERROR(EAGAIN) && e != AVERROR_EOF) {
            return e;
        }
        return avcodec_receive_frame(decoder.context, frame.frame);
    };

    if (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) {
        int e = decodeOne(&stream->attached_pic);
        if (e == AVERROR(EAGAIN)) {
            e = decodeOne(nullptr);
        }
        answer.ok = e >= 0 && savePicture(frame.frame, width, height, degrees, output);
        return answer;
    }

    const double seconds =
        request.items.count("seek") ? std::atof(request.items.at("seek").c_str()) : 0.0;
    int64_t target = static_cast<int64_t>(std::llround(seconds * AV_TIME_BASE));
    if (context->start_time != AV_NOPTS_VALUE) {
        target += context->start_time;
    }
    if (seconds > 0.0 || request.items.count("seek")) {
        int64_t seekTo = target;
        if (!(context->iformat->flags & AVFMT_SEEK_TO_PTS)) {
            for (unsigned i = 0; i < context->nb_streams; ++i) {
                if (context->streams[i]->codecpar->video_delay) {
                    seekTo -= 3 * AV_TIME_BASE / 23;
                    break;
                }
            }
        }
        if (avformat_seek_file(context, -1, INT64_MIN, seekTo, seekTo, 0) < 0) {
            logf(AV_LOG_WARNING, "%s: could not seek to position %0.3f\n",
                 request.items.at("input").c_str(), static_cast<double>(seekTo) / AV_TIME_BASE);
        }
    }
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        context->streams[i]->discard =
            static_cast<int>(i) == index ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
    const int64_t targetInStream = av_rescale_q(target, AV_TIME_BASE_Q, stream->time_base);
    // The first frame at or after the time counts; frames decoded on the way there do not.
    auto reached = [&]() {
        const int64_t at = frame.frame->best_effort_timestamp;
        return at == AV_NOPTS_VALUE || at >= targetInStream;
    };
    bool found = false;
    bool draining = false;
    while (!found) {
        int e = 0;
        if (!draining) {
            e = av_read_frame(context, packet.packet);
            if (e < 0) {
                draining = true;
                avcodec_send_packet(decoder.context, nullptr);
            } else if (packet.packet->stream_index != index) {
                av_packet_unref(packet.packet);
                continue;
            } else {
                e = avcodec_send_packet(decoder.context, packet.packet);
                av_packet_unref(packet.packet);
                if (e < 0 && e != AVERROR(EAGAIN) && e != AVERROR_INVALIDDATA) {
                    break;
                }
            }
        }
        for (;;) {
            e = avcodec_receive_frame(decoder.context, frame.frame);
            if (e < 0) {
                break;
            }
            if (reached()) {
                found = true;
                break;
            }
            av_frame_unref(frame.frame);
        }
        if (draining && !found) {
            break;
        }
    }
    if (!found) {
        logf(AV_LOG_WARNING, "Output file is empty, nothing was encoded\n");
        return answer;
    }
    answer.ok = savePicture(frame.frame, width, height, degrees, output);
    return answer;
}

// --- framing ----------------------------------------------------------------------------------

std::mutex g_outputLock;

void sendAnswer(const std::string& id, const Answer& answer)
{
    const std::string header =
        id + (answer.ok ? " ok " : " failed ") + std::to_string(answer.text.size()) + "\n";
    const std::lock_guard lock(g_outputLock);
    std::fwrite(header.data(), 1, header.size(), stdout);
    std::fwrite(answer.text.data(), 1, answer.text.size(), stdout);
    std::fflush(stdout);
}

bool readRequest(Request& request)
{
    char line[256];
    if (std::fgets(line, sizeof(line), stdin) == nullptr) {
        return false;
    }
    char id[64] = {};
    char kind[64] = {};
    unsigned long length = 0;
    if (std::sscanf(line, "%63s %63s %lu", id, kind, &length) != 3 || length > (1u << 20)) {
        return false;
    }
    std::string body(length, '\0');
    if (length > 0 && std::fread(body.data(), 1, length, stdin) != length) {
        return false;
    }
    request = Request{id, kind, {}};
    size_t at = 0;
    while (at < body.size()) {
        size_t end = body.find('\0', at);
        if (end == std::string::npos) {
            end = body.size();
        }
        const std::string item = body.substr(at, end - at);
        const size_t equals = item.find('=');
        if (equals != std::string::npos) {
            request.items[item.substr(0, equals)] = item.substr(equals + 1);
        }
        at = end + 1;
    }
    return true;
}

class Queue
{
public:
    void push(Request request)
    {
        {
            const std::lock_guard lock(m_lock);
            m_requests.push_back(std::move(request));
        }
        m_ready.notify_one();
    }
    void close()
    {
        {
            const std::lock_guard lock(m_lock);
            m_closed = true;
        }
        m_ready.notify_all();
    }
    bool pop(Request& request)
    {
        std::unique_lock lock(m_lock);
        m_ready.wait(lock, [&] { return m_closed || !m_requests.empty(); });
        if (m_requests.empty()) {
            return false;
        }
        request = std::move(m_requests.front());
        m_requests.pop_front();
        return true;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_ready;
    std::deque<Request> m_requests;
    bool m_closed = false;
};

} // namespace

int main()
{
    std::signal(SIGPIPE, SIG_IGN);
    av_log_set_level(AV_LOG_INFO);
    av_log_set_callback(logLine);
    std::fwrite(Greeting, 1, std::strlen(Greeting), stdout);
    std::fflush(stdout);

    Queue queue;
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < cores; ++i) {
        workers.emplace_back([&queue] {
            Request request;
            while (queue.pop(request)) {
                if (request.kind == "describe") {
                    sendAnswer(request.id, describe(request));
                } else if (request.kind == "thumbnail") {
                    sendAnswer(request.id, thumbnail(request));
                } else {
                    sendAnswer(request.id, Answer{false, "unknown request\n"});
                }
            }
        });
    }
    Request request;
    while (readRequest(request)) {
        queue.push(std::move(request));
    }
    queue.close();
    // The player has gone; a decoder that hangs must not keep this process for ever.
    ::alarm(10);
    for (std::thread& worker : workers) {
        worker.join();
    }
    return 0;
}
