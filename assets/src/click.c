/* Camera shutter click for Pictorra: synthesised (two decaying noise bursts over a short low
 * thump, from a fixed-seed generator) and encoded as Ogg Vorbis, mono 44.1 kHz. The output is
 * the same bytes on every run: fixed seed, fixed stream serial number.
 *
 * Usage: click OUTPUT.ogg */
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vorbis/vorbisenc.h>

#define RATE 44100
#define LENGTH (RATE * 30 / 100)

static unsigned seed = 0x5EED1234u;

static float noise(void)
{
    seed = seed * 1664525u + 1013904223u;
    return (float)((seed >> 8) & 0xFFFF) / 32768.0f - 1.0f;
}

/* A decaying burst of noise starting at time start (seconds). */
static float burst(float t, float start, float decay, float level)
{
    if (t < start)
        return 0.0f;
    return level * expf(-(t - start) / decay) * noise();
}

static void writePage(FILE* out, ogg_page* page)
{
    fwrite(page->header, 1, (size_t)page->header_len, out);
    fwrite(page->body, 1, (size_t)page->body_len, out);
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: click OUTPUT.ogg\n");
        return 2;
    }
    FILE* out = fopen(argv[1], "wb");
    if (!out) {
        perror(argv[1]);
        return 1;
    }

    static float samples[LENGTH];
    float low = 0.0f;
    for (int i = 0; i < LENGTH; ++i) {
        float t = (float)i / RATE;
        float s = burst(t, 0.000f, 0.006f, 0.9f) + burst(t, 0.070f, 0.010f, 0.7f);
        low += 0.02f * (s - low); /* a little body under the clicks */
        float thump = t < 0.05f ? 0.5f * sinf(2.0f * 3.14159265f * 90.0f * t) * expf(-t / 0.015f) : 0.0f;
        samples[i] = 0.6f * s + 1.5f * low + thump;
        if (samples[i] > 1.0f)
            samples[i] = 1.0f;
        if (samples[i] < -1.0f)
            samples[i] = -1.0f;
    }

    vorbis_info vi;
    vorbis_info_init(&vi);
    if (vorbis_encode_init_vbr(&vi, 1, RATE, 0.4f) != 0) {
        fprintf(stderr, "click: encoder set-up failed\n");
        return 1;
    }
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_comment_add_tag(&vc, "TITLE", "Pictorra camera click");
    vorbis_dsp_state vd;
    vorbis_block vb;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, 0x50494354); /* fixed serial number */

    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page page;
    while (ogg_stream_flush(&os, &page))
        writePage(out, &page);

    const int chunk = 1024;
    for (int pos = 0; pos <= LENGTH; pos += chunk) {
        /* The last pass writes nothing, which ends the stream. */
        int n = LENGTH - pos < chunk ? LENGTH - pos : chunk;
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&vd, n);
            memcpy(buffer[0], samples + pos, sizeof(float) * (size_t)n);
        }
        vorbis_analysis_wrote(&vd, n);
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, NULL);
            vorbis_bitrate_addblock(&vb);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&vd, &packet)) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page))
                    writePage(out, &page);
            }
        }
        if (n < chunk && n > 0)
            pos = LENGTH - chunk; /* next pass: pos == LENGTH, n == 0 */
    }
    while (ogg_stream_flush(&os, &page))
        writePage(out, &page);

    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return fclose(out) == 0 ? 0 : 1;
}
