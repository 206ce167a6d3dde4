#include "wallpaper/draw_pipeline.h"

#include <filesystem>
#include <system_error>

#include "render/calendar_drawing.h"

namespace orbeline {
namespace {

template <typename Hook, typename... Args>
void Call(const Hook& hook, Args&&... args) {
  if (hook) hook(std::forward<Args>(args)...);
}

// Restores the window after a drawing, also when a step threw.
class PipelineCleanup {
 public:
  PipelineCleanup(const PipelineHooks& hooks, bool marker_visible)
      : hooks_(hooks), marker_visible_(marker_visible) {}
  ~PipelineCleanup() {
    Call(hooks_.set_busy, false);
    if (marker_visible_) Call(hooks_.show_marker, true);
    Call(hooks_.set_caption, std::string("Orbeline"));
    Call(hooks_.set_main_buttons_enabled, true);
  }
  PipelineCleanup(const PipelineCleanup&) = delete;
  PipelineCleanup& operator=(const PipelineCleanup&) = delete;

 private:
  const PipelineHooks& hooks_;
  bool marker_visible_;
};

}  // namespace

std::unique_ptr<Canvas> MakeWorkCanvas(const CanvasFactory& make_canvas, WorkBitmap& work) {
  std::unique_ptr<Canvas> canvas = make_canvas(work);
  canvas->SetTextRendering(work.Format() == WorkBitmapFormat::k8Bit ? TextRendering::kAliased
                                                                    : TextRendering::kAntialiased);
  return canvas;
}

void DrawCalendarOn(Canvas& canvas, SettingsStore* store, const CalendarInputs& inputs) {
  RenderContext context{inputs};
  if (store != nullptr) {
    context.save_window_state = [store, &inputs] { SaveWindowState(*store, inputs.settings); };
  }
  DrawCalendar(canvas, context);
}

bool DrawPipeline(DrawSender sender, WallpaperServices& services, WallpaperRun& run,
                  const CalendarInputs& inputs, const CanvasFactory& make_canvas,
                  const PipelineHooks& hooks) {
  Call(hooks.set_busy, true);
  const bool marker_visible = inputs.settings.marker_visible;
  if (marker_visible) Call(hooks.show_marker, false);
  Call(hooks.set_caption, std::string("Drawing - Orbeline"));
  services.prompts.ProcessEvents();
  Call(hooks.set_main_buttons_enabled, false);
  PipelineCleanup cleanup(hooks, marker_visible);

  const WallpaperState& state = run.wallpaper;
  bool compose = false;
  // An empty work bitmap holds no base image (its composition failed): there is nothing to
  // draw over.
  if (!run.base_composed || run.work.Width() == 0) {
    compose = true;
  } else {
    std::error_code error;
    // Only the hidden drawing of a draw-only run keeps what it composed: the settings window
    // that opens after such a start was stopped by a message draws like any other.
    const bool file_exists = std::filesystem::exists(state.work_bitmap_path, error);
    if (!(file_exists && run.draw_only_pending)) compose = sender == DrawSender::kDrawButton;
  }
  // The file is written once, with the calendar on the base image.
  if (compose && ComposeBaseImage(services, run, inputs.settings, ComposeOutput::kMemoryOnly) !=
                     ComposeResult::kWritten) {
    return false;
  }

  DrawCalendarOn(*MakeWorkCanvas(make_canvas, run.work), &services.store, inputs);
  if (!WriteWorkBitmap(run.work, state.work_bitmap_path, services.prompts)) return false;
  InstallWallpaper(services, state, state.work_bitmap_path, inputs.settings);
  services.prompts.ProcessEvents();
  return true;
}

}  // namespace orbeline
