// The game's sound on Windows through WASAPI, in shared mode, woken by the
// audio engine's event: the library's own mixer makes every cue (its length,
// its level, the left channel) as it does on Linux, in short blocks, and the
// engine's short buffer is kept full of them, so that a cue is heard soon
// after its call. The library's DirectSound output stays behind it
// where WASAPI cannot start, and silence behind that.
#include <allegro.h>
#include <allegro/internal/aintern.h>
#include <winalleg.h>

#include <initguid.h>
#include <audioclient.h>
#include <cstdio>
#include <mmdeviceapi.h>
#include <mmreg.h>

#include "library/library.h"

// Each block the library's mixer makes: a cue starts at the next one. The
// engine's buffer is kept full, and the engine asks for more every period
// (10 ms), so a cue is heard once the buffer and the engine's own path
// ahead of it are: under wine, 11 to 23 ms after its call. Kept only partly
// full (12 or 20 ms of the 30 wine grants), the engine was late to take
// from it and the sound server ran dry now and then, breaking a cue with
// 5 ms of silence in six games.
constexpr int block_ms = 2;
// How long the sound's thread waits for the engine before it looks anyway.
constexpr DWORD most_wait_ms = 200;

constexpr int digi_wasapi = AL_ID('W', 'A', 'S', 'A');

static HANDLE thread = nullptr;         // the sound's thread, which feeds the engine
static HANDLE wake = nullptr;           // the engine's event: it wants more
static HANDLE started = nullptr;        // the thread has started the sound, or failed to
static volatile bool running = false;   // the thread goes on feeding
static volatile bool sounding = false;  // the thread started the sound
static char granted[160];               // what the engine gave, for the driver's description

// The engine's format, and the mixer's blocks in it.
static int rate = 0, channels = 0;
static bool floats = false;           // 32-bit floats; else 16-bit integers
static UINT32 block_frames = 0, buffer_frames = 0;
static short *mixed = nullptr;        // one block from the mixer, left and right

// Writes one block of the mixer's into the engine's buffer, in its format;
// the left and right channels go to the first two, the others stay silent.
static void write_block(BYTE *out)
{
    _mix_some_samples((uintptr_t)mixed, 0, TRUE);
    for (UINT32 f = 0; f < block_frames; f++)
        for (int c = 0; c < channels; c++) {
            int v = channels == 1 ? (mixed[2 * f] + mixed[2 * f + 1]) / 2 : c < 2 ? mixed[2 * f + c] : 0;
            if (floats)
                ((float *)out)[f * channels + c] = v / 32768.0f;
            else
                ((short *)out)[f * channels + c] = (short)v;
        }
}

// Fills the engine's buffer, a block at a time.
static void top_up(IAudioClient *client, IAudioRenderClient *render)
{
    UINT32 padding;
    while (client->GetCurrentPadding(&padding) == S_OK && padding + block_frames <= buffer_frames) {
        BYTE *out;
        if (render->GetBuffer(block_frames, &out) != S_OK)
            return;
        write_block(out);
        render->ReleaseBuffer(block_frames, 0);
    }
}

// The subformat of an extensible format of a plain format tag (PCM or floats).
static GUID subformat_of(WORD tag)
{
    return {tag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
}

// Takes the engine's format where the game can write it: floats or 16-bit
// integers, of any rate and number of channels.
static bool take_format(const WAVEFORMATEX *format)
{
    const WAVEFORMATEXTENSIBLE *wide = (const WAVEFORMATEXTENSIBLE *)format;
    bool extensible = format->wFormatTag == WAVE_FORMAT_EXTENSIBLE && format->cbSize >= 22;
    auto is = [&](WORD tag) {
        return format->wFormatTag == tag || (extensible && IsEqualGUID(wide->SubFormat, subformat_of(tag)));
    };
    floats = format->wBitsPerSample == 32 && is(WAVE_FORMAT_IEEE_FLOAT);
    bool integers = format->wBitsPerSample == 16 && is(WAVE_FORMAT_PCM);
    rate = (int)format->nSamplesPerSec;
    channels = format->nChannels;
    return (floats || integers) && channels >= 1 && rate > 0;
}

// Opens the default output in shared mode, woken by its event, and starts
// the library's mixer at its rate; false when any of it fails.
static bool open_output(IMMDeviceEnumerator **devices, IMMDevice **device, IAudioClient **client,
                        IAudioRenderClient **render, int *voices)
{
    WAVEFORMATEX *format = nullptr;
    REFERENCE_TIME period = 0, least = 0;
    bool ok = CoCreateInstance(CLSID_MMDeviceEnumerator, nullptr, CLSCTX_ALL, IID_IMMDeviceEnumerator,
                               (void **)devices) == S_OK &&
              (*devices)->GetDefaultAudioEndpoint(eRender, eConsole, device) == S_OK &&
              (*device)->Activate(IID_IAudioClient, CLSCTX_ALL, nullptr, (void **)client) == S_OK &&
              (*client)->GetMixFormat(&format) == S_OK && take_format(format) &&
              (*client)->GetDevicePeriod(&period, &least) == S_OK &&
              (*client)->Initialize(AUDCLNT_SHAREMODE_SHARED, AUDCLNT_STREAMFLAGS_EVENTCALLBACK, 0, 0, format,
                                    nullptr) == S_OK &&
              (*client)->SetEventHandle(wake) == S_OK && (*client)->GetBufferSize(&buffer_frames) == S_OK &&
              (*client)->GetService(IID_IAudioRenderClient, (void **)render) == S_OK;
    if (format)
        CoTaskMemFree(format);
    if (!ok)
        return false;
    block_frames = (UINT32)(rate * block_ms / 1000);
    if (_mixer_init((int)block_frames * 2, rate, TRUE, TRUE, voices) != 0)
        return false;
    mixed = new short[block_frames * 2];
    snprintf(granted, sizeof granted, "WASAPI, %d Hz, %d channels, %s; buffer %u frames (%.1f ms), period %.1f ms",
             rate, channels, floats ? "floats" : "16 bits", buffer_frames, buffer_frames * 1000.0 / rate,
             period / 1e4);
    return true;
}

// The sound's thread: opens the output, says whether it could, and feeds it
// until the sound is removed.
static DWORD WINAPI feed(void *voices)
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    IMMDeviceEnumerator *devices = nullptr;
    IMMDevice *device = nullptr;
    IAudioClient *client = nullptr;
    IAudioRenderClient *render = nullptr;
    sounding = open_output(&devices, &device, &client, &render, (int *)voices);
    if (sounding) {
        top_up(client, render);
        sounding = client->Start() == S_OK;
    }
    SetEvent(started);
    while (sounding && running) {
        WaitForSingleObject(wake, most_wait_ms);
        top_up(client, render);
    }
    if (client)
        client->Stop();
    if (render)
        render->Release();
    if (client)
        client->Release();
    if (device)
        device->Release();
    if (devices)
        devices->Release();
    CoUninitialize();
    return 0;
}

static void close_output()
{
    running = false;
    if (thread) {
        SetEvent(wake);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    if (wake)
        CloseHandle(wake);
    if (started)
        CloseHandle(started);
    thread = wake = started = nullptr;
    if (mixed) {
        _mixer_exit();
        delete[] mixed;
        mixed = nullptr;
    }
}

static int wasapi_detect(int input)
{
    return input ? 0 : 1;
}

static int wasapi_init(int input, int voices)
{
    if (input)
        return -1;
    static int granted_voices;
    granted_voices = voices;
    wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    running = true;
    sounding = false;
    thread = wake && started ? CreateThread(nullptr, 0, feed, &granted_voices, 0, nullptr) : nullptr;
    if (thread)
        WaitForSingleObject(started, INFINITE);
    if (!sounding) {
        close_output();
        return -1;
    }
    digi_driver->voices = granted_voices;
    digi_driver->desc = granted;
    return 0;
}

static void wasapi_exit(int input)
{
    if (!input)
        close_output();
}

static int wasapi_buffer_size()
{
    return (int)block_frames;
}

// The library's mixer behind WASAPI, as a driver of the library's own.
static DIGI_DRIVER wasapi = {
    digi_wasapi, empty_string, empty_string, "WASAPI", 0, 0, MIXER_MAX_SFX, MIXER_DEF_SFX,
    wasapi_detect, wasapi_init, wasapi_exit, nullptr, nullptr,
    nullptr, nullptr, wasapi_buffer_size,
    _mixer_init_voice, _mixer_release_voice, _mixer_start_voice, _mixer_stop_voice, _mixer_loop_voice,
    _mixer_get_position, _mixer_set_position,
    _mixer_get_volume, _mixer_set_volume, _mixer_ramp_volume, _mixer_stop_volume_ramp,
    _mixer_get_frequency, _mixer_set_frequency, _mixer_sweep_frequency, _mixer_stop_frequency_sweep,
    _mixer_get_pan, _mixer_set_pan, _mixer_sweep_pan, _mixer_stop_pan_sweep,
    _mixer_set_echo, _mixer_set_tremolo, _mixer_set_vibrato,
    0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

// The library's own list of outputs (DirectSound, then WaveOut), which the
// game's comes before.
static _DRIVER_INFO *(*library_outputs)(void) = nullptr;

// WASAPI first, then the library's own, for the library to try in turn.
static _DRIVER_INFO *sound_outputs()
{
    static _DRIVER_INFO outputs[32];
    outputs[0] = {digi_wasapi, &wasapi, TRUE};
    int n = 1;
    for (_DRIVER_INFO *theirs = library_outputs(); theirs && theirs->id && n < 31; theirs++)
        outputs[n++] = *theirs;
    outputs[n] = {0, nullptr, 0};
    return outputs;
}

void offer_sound_outputs()
{
    if (library_outputs || !system_driver->digi_drivers)
        return;
    library_outputs = system_driver->digi_drivers;
    system_driver->digi_drivers = sound_outputs;
}
