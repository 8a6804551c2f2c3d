// Tells what the player heard: reads what the sound tests' device heard and
// when (heard_pcm.c), and when the game started each sample (play_log.c),
// and matches each sound heard with the play that asked for it. Prints for
// each cue its heard length, the latency from the call to its first heard
// frame and its level at both ends; then the underruns.
//   hear HEARD_LOG PLAY_LOG [--check]
// With --check, exits 1 when a cue is heard more than 2 ms off its length,
// the latency's median is over 60 ms or its largest over 90 ms, a cue is
// broken by silence, the device ran dry, the right channel (pan 0, the
// leftmost) was not silent, or a cue starts or ends with a click.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "present/present.h"

namespace {

constexpr double rate = 44100;
constexpr size_t gap_frames = 88;  // 2 ms of silence end a sound
constexpr size_t end_frames = 22;  // the half millisecond at each end of a sound
constexpr double length_slack_ms = 2, median_latency_ms = 60, most_latency_ms = 90;
constexpr double click_dbfs = -12, edge_dbfs = -30;  // the loudest an end and its very edge may be

// The cues, told by the length of their sound.
const std::map<std::string, int> cues = {
    {"title", cue_start_ms}, {"candy", cue_candy_ms}, {"laser", cue_laser_ms}, {"crash", cue_hit_ms}};

// The cue whose sound lasts ms (to a frame at the lowest rate), or none.
const std::pair<const std::string, int> *cue_of(double ms)
{
    for (auto &cue : cues)
        if (std::fabs(cue.second - ms) < 0.2)
            return &cue;
    return nullptr;
}

struct run_t {
    uint64_t first;  // its first frame
    int64_t start_ns;
};

struct play_t {
    std::string cue;
    double ms;
    int64_t at_ns;
};

struct sound_t {
    size_t first, end;  // frames first..end-1
};

std::vector<int16_t> frames;  // left, right, left, ...
std::vector<run_t> runs;
std::vector<int64_t> underruns;
std::vector<play_t> plays;

// When a frame was heard, in ns on the monotonic clock.
double heard_at_ns(size_t frame)
{
    const run_t *run = &runs.front();
    for (const run_t &r : runs)
        if (r.first <= frame)
            run = &r;
    return run->start_ns + (frame - run->first) * 1e9 / rate;
}

// The time between hearing two frames, in ms.
double heard_ms_between(size_t from, size_t to)
{
    return (heard_at_ns(to) - heard_at_ns(from)) / 1e6;
}

double dbfs(int peak)
{
    return peak > 0 ? 20 * std::log10(peak / 32768.0) : -200;
}

// The loudest left value among frames from..to-1.
int peak_of(size_t from, size_t to)
{
    int peak = 0;
    for (size_t f = from; f < to; f++)
        peak = std::max(peak, std::abs((int)frames[2 * f]));
    return peak;
}

bool read_logs(const std::string &heard, const char *play_log)
{
    std::ifstream raw(heard + ".frames", std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(raw)), std::istreambuf_iterator<char>());
    frames.resize(bytes.size() / 2);
    memcpy(frames.data(), bytes.data(), frames.size() * 2);
    std::ifstream run_log(heard + ".runs");
    for (std::string line; std::getline(run_log, line);) {
        std::istringstream in(line);
        std::string what;
        in >> what;
        if (what == "run") {
            run_t r;
            in >> r.first >> r.start_ns;
            runs.push_back(r);
        } else if (what == "underrun") {
            int64_t at;
            in >> at;
            underruns.push_back(at);
        }
    }
    std::ifstream play_in(play_log);
    for (std::string line; std::getline(play_in, line);) {
        std::istringstream in(line);
        std::string what;
        double ms;
        int64_t at;
        in >> what >> ms >> at;
        auto cue = cue_of(ms);
        if (what == "play" && cue)
            plays.push_back({cue->first, (double)cue->second, at});
    }
    return !runs.empty();
}

// The sounds heard, in order: runs of frames broken by 2 ms of silence.
std::vector<sound_t> find_sounds()
{
    std::vector<sound_t> sounds;
    size_t count = frames.size() / 2, quiet = 0;
    bool in_sound = false;
    for (size_t f = 0; f < count; f++) {
        if (frames[2 * f] != 0) {
            if (!in_sound)
                sounds.push_back({f, f + 1});
            in_sound = true;
            quiet = 0;
            sounds.back().end = f + 1;
        } else if (in_sound && ++quiet >= gap_frames) {
            in_sound = false;
        }
    }
    return sounds;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: hear HEARD_LOG PLAY_LOG [--check]\n");
        return 2;
    }
    bool check = argc > 3 && !strcmp(argv[3], "--check");
    if (!read_logs(argv[1], argv[2])) {
        printf("FAIL: the device never played\n");
        return 1;
    }
    std::vector<sound_t> sounds = find_sounds();
    bool failed = false;
    auto fail = [&](const std::string &why) {
        printf("FAIL: %s\n", why.c_str());
        failed = true;
    };
    if (sounds.size() != plays.size())
        fail(std::to_string(plays.size()) + " cues played, " + std::to_string(sounds.size()) + " sounds heard");
    std::vector<double> latencies;
    std::map<std::string, std::vector<double>> lengths;
    printf("%-6s %9s %11s %13s %11s\n", "cue", "heard ms", "latency ms", "start dBFS", "end dBFS");
    for (size_t i = 0, j = 0; i < plays.size() && j < sounds.size(); i++, j++) {
        const play_t &p = plays[i];
        sound_t s = sounds[j];
        // A cue broken by silence is heard as several sounds. While more
        // sounds were heard than were played and less than the cue's length
        // has been heard, the next sound is the rest of it if it starts
        // within the cue's length plus the silence so far: so one break does
        // not shift every later cue onto the wrong sound.
        double sounded_ms = heard_ms_between(s.first, s.end), silent_ms = 0;
        while (j + 1 < sounds.size() && sounds.size() - (j + 1) > plays.size() - (i + 1) &&
               sounded_ms < p.ms - length_slack_ms &&
               heard_ms_between(s.first, sounds[j + 1].first) < p.ms + silent_ms + length_slack_ms) {
            const sound_t &rest = sounds[++j];
            double gap_ms = heard_ms_between(s.end, rest.first);
            char why[96];
            snprintf(why, sizeof why, "%s broken by %.1f ms of silence %.1f ms in", p.cue.c_str(), gap_ms,
                     heard_ms_between(s.first, s.end));
            fail(why);
            silent_ms += gap_ms;
            sounded_ms += heard_ms_between(rest.first, rest.end);
            s.end = rest.end;
        }
        double length = heard_ms_between(s.first, s.end);
        double latency = (heard_at_ns(s.first) - p.at_ns) / 1e6;
        double start = dbfs(peak_of(s.first, s.first + end_frames));
        double end = dbfs(peak_of(s.end - end_frames, s.end));
        double edge = std::max(dbfs(peak_of(s.first, s.first + 1)), dbfs(peak_of(s.end - 1, s.end)));
        printf("%-6s %9.2f %11.1f %13.1f %11.1f\n", p.cue.c_str(), length, latency, start, end);
        latencies.push_back(latency);
        lengths[p.cue].push_back(length);
        if (std::fabs(length - p.ms) > length_slack_ms)
            fail(p.cue + " heard for " + std::to_string(length) + " ms, not " + std::to_string(p.ms));
        if (start > click_dbfs || end > click_dbfs || edge > edge_dbfs)
            fail(p.cue + " starts or ends with a click");
    }
    for (auto &[cue, heard] : lengths) {
        std::sort(heard.begin(), heard.end());
        printf("%s: %zu heard, %.2f to %.2f ms\n", cue.c_str(), heard.size(), heard.front(), heard.back());
    }
    if (!latencies.empty()) {
        std::sort(latencies.begin(), latencies.end());
        double median = latencies[latencies.size() / 2], most = latencies.back();
        printf("latency: median %.1f ms, least %.1f ms, most %.1f ms\n", median, latencies.front(), most);
        if (median > median_latency_ms || most > most_latency_ms)
            fail("the latency is too long");
    }
    size_t right = 0;
    for (size_t f = 0; f < frames.size() / 2; f++)
        right += frames[2 * f + 1] != 0;
    printf("underruns: %zu; frames heard: %zu; right channel frames not silent: %zu\n", underruns.size(),
           frames.size() / 2, right);
    if (!underruns.empty())
        fail("the device ran dry");
    if (right)
        fail("the right channel was not silent");
    return check && failed ? 1 : 0;
}
