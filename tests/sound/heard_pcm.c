/* An ALSA output device for the sound tests that plays at the real rate: it
 * takes the frames written to it as a sound card would, consuming them on
 * the monotonic clock, and writes down every frame with the moment it is
 * heard, and every underrun. Loaded by ALSA from a test's own .asoundrc:
 *
 *   pcm_type.vorlix_heard { lib "/path/libasound_module_pcm_vorlix_heard.so" }
 *   pcm.!default { type vorlix_heard  log "/path/heard" }
 *
 * It writes LOG.frames (the frames, 16-bit stereo, in the order heard) and
 * LOG.runs, a line for each run of the device: "run FIRST_FRAME START_NS"
 * (frame FIRST_FRAME and the ones after it are heard from START_NS on the
 * monotonic clock, one every 1/44100 s), and "underrun AT_NS". */
#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#define RATE 44100
#define CHANNELS 2

struct heard {
    snd_pcm_ioplug_t io;
    int timer;                /* wakes whoever polls, every millisecond */
    FILE *frames, *runs;      /* the log */
    uint64_t written;         /* frames written since the device was opened */
    uint64_t run_first;       /* the first frame of this run */
    int64_t run_start_ns;     /* when this run began to be heard; 0 before start */
    snd_pcm_uframes_t avail_min; /* the room that makes the device writable */
};

static int64_t now_ns(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (int64_t)t.tv_sec * 1000000000 + t.tv_nsec;
}

/* Frames heard in this run so far. */
static uint64_t heard_in_run(struct heard *h)
{
    return h->run_start_ns ? (uint64_t)((now_ns() - h->run_start_ns) * (double)RATE / 1e9) : 0;
}

static int heard_start(snd_pcm_ioplug_t *io)
{
    struct heard *h = io->private_data;
    h->run_start_ns = now_ns();
    fprintf(h->runs, "run %llu %lld\n", (unsigned long long)h->run_first, (long long)h->run_start_ns);
    return 0;
}

static int heard_stop(snd_pcm_ioplug_t *io)
{
    struct heard *h = io->private_data;
    h->run_start_ns = 0;
    return 0;
}

/* Where the device is in its buffer; when it has heard every frame it was
 * given, it has run dry. */
static snd_pcm_sframes_t heard_pointer(snd_pcm_ioplug_t *io)
{
    struct heard *h = io->private_data;
    uint64_t heard = heard_in_run(h), given = h->written - h->run_first;
    if (h->run_start_ns && heard > given) {
        fprintf(h->runs, "underrun %lld\n", (long long)now_ns());
        return -EPIPE;
    }
    return (snd_pcm_sframes_t)(heard % io->buffer_size);
}

static snd_pcm_sframes_t heard_transfer(snd_pcm_ioplug_t *io, const snd_pcm_channel_area_t *areas,
                                        snd_pcm_uframes_t offset, snd_pcm_uframes_t size)
{
    struct heard *h = io->private_data;
    const char *from = (const char *)areas[0].addr + (areas[0].first + areas[0].step * offset) / 8;
    fwrite(from, CHANNELS * sizeof(int16_t), size, h->frames);
    h->written += size;
    return (snd_pcm_sframes_t)size;
}

/* After an underrun or a stop, what was written and not heard is dropped,
 * as a sound card drops it; a new run follows the frames written so far. */
static int heard_prepare(snd_pcm_ioplug_t *io)
{
    struct heard *h = io->private_data;
    h->run_first = h->written;
    h->run_start_ns = 0;
    return 0;
}

/* Like a sound card, the device wakes a writer only once the room it asked
 * for is free, not at every frame. */
static int heard_sw_params(snd_pcm_ioplug_t *io, snd_pcm_sw_params_t *params)
{
    struct heard *h = io->private_data;
    return snd_pcm_sw_params_get_avail_min(params, &h->avail_min);
}

static int heard_poll_revents(snd_pcm_ioplug_t *io, struct pollfd *pfd, unsigned int nfds,
                              unsigned short *revents)
{
    struct heard *h = io->private_data;
    uint64_t ticks;
    (void)pfd;
    (void)nfds;
    if (read(h->timer, &ticks, sizeof ticks) < 0 && errno != EAGAIN)
        return -errno;
    /* A device that ran dry says so, as a sound card does, and waits to be prepared. */
    snd_pcm_sframes_t avail = snd_pcm_avail_update(io->pcm);
    *revents = avail < 0 ? POLLERR : avail > 0 && (snd_pcm_uframes_t)avail >= h->avail_min ? POLLOUT : 0;
    return 0;
}

static int heard_close(snd_pcm_ioplug_t *io)
{
    struct heard *h = io->private_data;
    fclose(h->frames);
    fclose(h->runs);
    close(h->timer);
    free(h);
    return 0;
}

static const snd_pcm_ioplug_callback_t heard_callbacks = {
    .start = heard_start,
    .stop = heard_stop,
    .pointer = heard_pointer,
    .transfer = heard_transfer,
    .prepare = heard_prepare,
    .sw_params = heard_sw_params,
    .poll_revents = heard_poll_revents,
    .close = heard_close,
};

/* Opens the file LOG.SUFFIX for writing. */
static FILE *open_log(const char *log, const char *suffix)
{
    char name[4096];
    snprintf(name, sizeof name, "%s.%s", log, suffix);
    FILE *f = fopen(name, "w");
    if (f)
        setvbuf(f, NULL, _IOFBF, 1 << 20);
    return f;
}

SND_PCM_PLUGIN_DEFINE_FUNC(vorlix_heard)
{
    const char *log = NULL;
    snd_config_iterator_t i, next;
    (void)root;
    snd_config_for_each(i, next, conf) {
        snd_config_t *n = snd_config_iterator_entry(i);
        const char *id;
        if (snd_config_get_id(n, &id) < 0 || !strcmp(id, "comment") || !strcmp(id, "type"))
            continue;
        if (!strcmp(id, "log") && snd_config_get_string(n, &log) == 0)
            continue;
        SNDERR("vorlix_heard: unknown field %s", id);
        return -EINVAL;
    }
    if (!log || stream != SND_PCM_STREAM_PLAYBACK)
        return -EINVAL;

    struct heard *h = calloc(1, sizeof *h);
    h->frames = open_log(log, "frames");
    h->runs = open_log(log, "runs");
    h->timer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK);
    struct itimerspec every_ms = {{0, 1000000}, {0, 1000000}};
    if (!h->frames || !h->runs || h->timer < 0 || timerfd_settime(h->timer, 0, &every_ms, NULL) < 0)
        return -errno;
    h->io.version = SND_PCM_IOPLUG_VERSION;
    h->io.name = "Vorlix sound test device";
    h->io.callback = &heard_callbacks;
    h->io.private_data = h;
    h->io.poll_fd = h->timer;
    h->io.poll_events = POLLIN;
    h->io.mmap_rw = 0;
    int err = snd_pcm_ioplug_create(&h->io, name, stream, mode);
    if (err < 0)
        return err;
    unsigned int access[] = {SND_PCM_ACCESS_RW_INTERLEAVED, SND_PCM_ACCESS_MMAP_INTERLEAVED};
    unsigned int format[] = {SND_PCM_FORMAT_S16_LE};
    snd_pcm_ioplug_set_param_list(&h->io, SND_PCM_IOPLUG_HW_ACCESS, 2, access);
    snd_pcm_ioplug_set_param_list(&h->io, SND_PCM_IOPLUG_HW_FORMAT, 1, format);
    snd_pcm_ioplug_set_param_minmax(&h->io, SND_PCM_IOPLUG_HW_CHANNELS, CHANNELS, CHANNELS);
    snd_pcm_ioplug_set_param_minmax(&h->io, SND_PCM_IOPLUG_HW_RATE, RATE, RATE);
    snd_pcm_ioplug_set_param_minmax(&h->io, SND_PCM_IOPLUG_HW_PERIODS, 2, 64);
    snd_pcm_ioplug_set_param_minmax(&h->io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 64, 1 << 20);
    *pcmp = h->io.pcm;
    return 0;
}

SND_PCM_PLUGIN_SYMBOL(vorlix_heard);
