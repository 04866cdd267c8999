// Working out the canvas's blurred blooms, as a resize of the window does once a frame.
#include "core/style/shared_control_recipe.h"

#include <benchmark/benchmark.h>

namespace {

void blurredBloomsForAWindow(benchmark::State& state) {
  double width = 1400;
  for (auto _ : state) {
    for (const auto& bloom : vesk::WorkspaceCanvasRecipe::blooms(width, 900))
      benchmark::DoNotOptimize(vesk::WorkspaceCanvasRecipe::blurred(bloom, vesk::WorkspaceCanvasRecipe::blurRadius));
    width += 1;
  }
}
BENCHMARK(blurredBloomsForAWindow)->Unit(benchmark::kMillisecond);

}  // namespace
