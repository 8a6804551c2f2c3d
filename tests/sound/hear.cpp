// Tells what the player heard: reads what the sound tests' device heard and
// when (heard_pcm.c), and when the game started each sample (play_log.c),
// and pairs each cue played with the sounds heard for it over the whole
// session (a cue heard for nothing, or a sound heard for no cue, shifts no
// other cue). Prints for each cue its heard length, the latency from the
// call to its first heard frame and its level at both ends; then the
// underruns; and, given the keys the player pressed, from each to the ear.
//   hear HEARD_LOG PLAY_LOG [--check] [--keys KEYS_LOG]
// With --check, exits 1 when a cue is not heard, a sound is heard for no
// cue, a cue is heard more than 2 ms off its length, the latency's median is
// over 60 ms or its largest over 90 ms, a cue is broken by silence, the
// device ran dry, the right channel (pan 0, the leftmost) was not silent, or
// a cue starts or ends with a click.
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

// One cue paired with the sounds heard for it: pieces first..last of the
// sounds (more than one where silence broke it), or none where it was not
// heard.
struct pair_t {
    size_t play;
    long first = -1, last = -1;
};

// Each way a cue may have been heard: play, as sounds first..last (more than
// one where silence broke it), how late, and what it costs besides its
// latency: a length off the cue's, and each break.
struct hearing_t {
    size_t play, first, last;
    double latency_ms, cost;
};
constexpr double wrong_length_cost = 4, break_cost = 1, unpaired_cost = 3;
// A cue's latency changes little from one cue to the next: each ms of change
// costs this much.
constexpr double cost_per_ms_changed = 1.0 / 10;
// Sounds heard before the call, or a second after it, are not its own.
constexpr double least_latency_ms = -1, most_latency_ms_paired = 1000;
constexpr size_t most_pieces = 4;

std::vector<hearing_t> ways_heard(const std::vector<sound_t> &sounds)
{
    std::vector<hearing_t> ways;
    for (size_t i = 0; i < plays.size(); i++)
        for (size_t j = 0; j < sounds.size(); j++) {
            double latency = (heard_at_ns(sounds[j].first) - plays[i].at_ns) / 1e6;
            if (latency < least_latency_ms || latency > most_latency_ms_paired)
                continue;
            for (size_t last = j; last < sounds.size() && last < j + most_pieces; last++) {
                double length = heard_ms_between(sounds[j].first, sounds[last].end);
                if (last > j && length > plays[i].ms + length_slack_ms)
                    break;  // pieces that run past the cue's length are not all its own
                double off = std::fabs(length - plays[i].ms) > length_slack_ms ? wrong_length_cost : 0;
                ways.push_back({i, j, last, latency, off + (double)(last - j) * break_cost});
            }
        }
    return ways;
}

// Pairs each cue played with the sounds heard for it, the whole session at
// once: the pairing of least cost, where a cue heard for nothing and a sound
// heard for no cue each cost a little, and so does each change of latency
// from one cue to the next; so one sound missing, or one too many, shifts no
// other cue onto a sound not its own. A pair of no play is a sound heard for
// no cue.
std::vector<pair_t> pair_plays(const std::vector<sound_t> &sounds)
{
    std::vector<hearing_t> ways = ways_heard(sounds);
    const double np = (double)plays.size(), ns = (double)sounds.size();
    // best[a]: the least cost of a session heard up to way a, a among its pairs.
    std::vector<double> best(ways.size());
    std::vector<long> before(ways.size(), -1);
    for (size_t a = 0; a < ways.size(); a++) {
        const hearing_t &w = ways[a];
        best[a] = ((double)w.play + (double)w.first) * unpaired_cost + w.cost;
        for (size_t b = 0; b < a; b++) {
            const hearing_t &v = ways[b];
            if (v.play >= w.play || v.last >= w.first)
                continue;
            double cost = best[b] + (double)(w.play - v.play - 1 + w.first - v.last - 1) * unpaired_cost +
                          std::fabs(w.latency_ms - v.latency_ms) * cost_per_ms_changed + w.cost;
            if (cost < best[a]) {
                best[a] = cost;
                before[a] = (long)b;
            }
        }
    }
    long last = -1;
    double least = (np + ns) * unpaired_cost;
    for (size_t a = 0; a < ways.size(); a++) {
        double cost = best[a] + (np - ways[a].play - 1 + ns - ways[a].last - 1) * unpaired_cost;
        if (cost < least) {
            least = cost;
            last = (long)a;
        }
    }
    std::vector<const hearing_t *> chosen;
    for (long a = last; a >= 0; a = before[a])
        chosen.insert(chosen.begin(), &ways[a]);
    // The session in the order heard: each cue with its sounds, or none, and
    // each sound heard for no cue.
    std::vector<pair_t> pairs;
    size_t i = 0, j = 0;
    auto unpaired_until = [&](size_t play, size_t sound) {
        for (; i < play; i++)
            pairs.push_back({i, -1, -1});
        for (; j < sound; j++)
            pairs.push_back({plays.size(), (long)j, (long)j});
    };
    for (const hearing_t *w : chosen) {
        unpaired_until(w->play, w->first);
        pairs.push_back({w->play, (long)w->first, (long)w->last});
        i = w->play + 1;
        j = w->last + 1;
    }
    unpaired_until(plays.size(), sounds.size());
    return pairs;
}

// The first laser heard after each key the player pressed (KEYS_LOG lines
// "key GAME AT_NS"): from the key to the ear, in each game.
void tell_key_to_ear(const char *key_log, const std::vector<pair_t> &pairs, const std::vector<sound_t> &sounds)
{
    std::ifstream in(key_log);
    std::map<int, std::vector<double>> by_game;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string what;
        int game;
        int64_t at;
        if (!(words >> what >> game >> at) || what != "key")
            continue;
        // The shot's own laser is the first played after its key; one not
        // heard leaves the key out.
        for (const pair_t &pair : pairs)
            if (pair.play < plays.size() && plays[pair.play].cue == "laser" && plays[pair.play].at_ns >= at) {
                if (pair.first >= 0)
                    by_game[game].push_back((heard_at_ns(sounds[pair.first].first) - at) / 1e6);
                break;
            }
    }
    for (auto &[game, ms] : by_game) {
        std::sort(ms.begin(), ms.end());
        printf("key to ear, game %d: median %.1f ms, least %.1f ms, most %.1f ms (%zu shots)\n", game,
               ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
    }
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: hear HEARD_LOG PLAY_LOG [--check] [--keys KEYS_LOG]\n");
        return 2;
    }
    bool check = false;
    const char *key_log = nullptr;
    for (int a = 3; a < argc; a++) {
        if (!strcmp(argv[a], "--check"))
            check = true;
        else if (!strcmp(argv[a], "--keys") && a + 1 < argc)
            key_log = argv[++a];
    }
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
    std::vector<pair_t> pairs = pair_plays(sounds);
    std::vector<double> latencies;
    std::map<std::string, std::vector<double>> lengths;
    printf("%-6s %9s %11s %13s %11s\n", "cue", "heard ms", "latency ms", "start dBFS", "end dBFS");
    for (const pair_t &pair : pairs) {
        if (pair.play == plays.size()) {
            char why[96];
            snprintf(why, sizeof why, "a sound of %.1f ms heard for no cue",
                     heard_ms_between(sounds[pair.first].first, sounds[pair.first].end));
            fail(why);
            continue;
        }
        const play_t &p = plays[pair.play];
        if (pair.first < 0) {
            fail(p.cue + " not heard");
            continue;
        }
        sound_t s = {sounds[pair.first].first, sounds[pair.last].end};
        for (long k = pair.first; k < pair.last; k++) {
            char why[96];
            snprintf(why, sizeof why, "%s broken by %.1f ms of silence %.1f ms in", p.cue.c_str(),
                     heard_ms_between(sounds[k].end, sounds[k + 1].first), heard_ms_between(s.first, sounds[k].end));
            fail(why);
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
    if (key_log)
        tell_key_to_ear(key_log, pairs, sounds);
    return check && failed ? 1 : 0;
}
