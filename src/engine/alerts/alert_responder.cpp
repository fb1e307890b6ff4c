#include "alerts/alert_responder.h"

#include "path_parts.h"
#include "external_argument.h"
#include "intruders/intrusion_balloon_text.h"
#include "logpage/intruder_address.h"
#include "resource_ids.h"
#include "monitor/tray_animation.h"

namespace {

constexpr char kNoProgramText[] =
    "No external program is currently configured.\r\nUse the 'Choose External Program' button.";
constexpr char kCannotExecuteText[] = "Cannot execute application: ";
constexpr char kAlertSoundFileName[] = "intruder.wav";
constexpr char kProgramFilter[] = "Program Files|*.exe;*.com;*.bat|All Files (*.*)|*.*||";
constexpr char kProgramExtension[] = "exe";
constexpr unsigned kOpenFileFlags = 0x1004;  // OFN_HIDEREADONLY | OFN_FILEMUSTEXIST
constexpr char kBalloonTitle[] = "Intrusion attempt";

}  // namespace

AlertResponder::AlertResponder(MonitorContext& context, TrayPort& tray, IntrudersController& intruders)
    : context_(context), tray_(tray), intruders_(intruders) {}

void AlertResponder::RaiseIntrusionAlerts(const std::string& displayText) {
    StartTrayAnimation(context_.state);
    if (context_.dialog.IsChecked(IDC_ALERT)) PlayIntrusionSound();
    if (context_.dialog.IsChecked(IDC_AUTOFILL)) FillArgumentWithIntruder(displayText);
    PopUpAttempts(intruders_.RecordUpdate(displayText));
}

void AlertResponder::PopUpAttempts(const UpdateAttempts& attempts) {
    if (!attempts.latest || !context_.state.popupOnIntrusion) return;
    tray_.ShowBalloon(kBalloonTitle, IntrusionBalloonText(*attempts.latest, attempts.count - 1));
}

void AlertResponder::PlayIntrusionSound() {
    if (context_.files.CanReadFile(context_.state.alertSoundPath)) {
        context_.system.PlaySoundFile(context_.state.alertSoundPath);
    } else {
        context_.system.PlaySoundResource(IDR_INTRUDER_SOUND);
    }
}

void AlertResponder::LaunchExternalProgram() { LaunchExternalProgramWith(context_.state.lastParagraph.Get()); }

void AlertResponder::LaunchExternalProgramWith(const std::string& replacement) {
    const std::string program = context_.state.externalProgramPath.Get();
    if (program.empty()) {
        context_.dialog.ShowMessage(kNoProgramText, MessageButtons::Ok);
        return;
    }
    ShellRequest request;
    request.verb = "OPEN";
    request.file = program;
    request.parameters = context_.system.AnsiToUtf8(
        SubstituteLastParagraph(context_.dialog.GetText(IDC_EXTERNAL_ARGUMENT), replacement));
    request.directory = DriveAndDirectory(program);
    if (!ShellSucceeded(context_.system.OpenWithShell(request))) {
        context_.dialog.ShowMessage(kCannotExecuteText + program, MessageButtons::Ok);
    }
}

void AlertResponder::ChooseExternalProgram() {
    OpenFileRequest request;
    request.filter = kProgramFilter;
    request.defaultExtension = kProgramExtension;
    request.flags = kOpenFileFlags;
    if (auto chosen = context_.system.ChooseOpenFile(request)) context_.state.externalProgramPath.Set(*chosen);
}

void AlertResponder::AutofillArgument() {
    // A click never overwrites what the user typed.
    if (!context_.dialog.IsChecked(IDC_AUTOFILL)) return;
    if (!context_.dialog.GetText(IDC_EXTERNAL_ARGUMENT).empty()) return;
    FillArgumentWithIntruder(context_.dialog.GetText(IDC_LOG_SCREEN));
}

void AlertResponder::BuildAlertSoundPath() {
    context_.state.alertSoundPath = PathBeside(context_.system.ExecutablePath(), kAlertSoundFileName);
}

void AlertResponder::FillArgumentWithIntruder(const std::string& text) {
    if (auto address = ExtractIntruderAddress(text)) context_.dialog.SetText(IDC_EXTERNAL_ARGUMENT, *address);
}
