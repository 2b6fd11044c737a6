// SPDX-License-Identifier: GPL-3.0-or-later
// One ReadVolume + WriteVolume pair on the default output, as a volume key does it.
// Run it with a sound server (bench/run-volume-bench.py does).
#include "volume/TAudioMixer.h"
#include "volume/VolumeFunctions.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

static void BM_VolumeUpThenDown(benchmark::State& state) {
    TAudioMixer mixer(CreateMixerDriver());
    if (mixer.MixerId() < 0) {
        state.SkipWithError("no sound device");
        return;
    }
    // Each iteration is two pairs: one step up, one step down, so the volume stays put.
    for (auto _ : state) {
        benchmark::DoNotOptimize(VolumeFunctions::VolumeUp(mixer, 655));
        benchmark::DoNotOptimize(VolumeFunctions::VolumeDown(mixer, 655));
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_VolumeUpThenDown)->Unit(benchmark::kMicrosecond);

static void BM_ReadVolume(benchmark::State& state) {
    TAudioMixer mixer(CreateMixerDriver());
    int left, right, mute;
    bool stereo, volumeDisabled, muteDisabled, isSelect;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mixer.ReadVolume(0, -1, left, right, mute, stereo, volumeDisabled,
                                                  muteDisabled, isSelect));
    }
}
BENCHMARK(BM_ReadVolume)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
