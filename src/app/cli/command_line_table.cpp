#include "app/cli/command_line_table.h"

#include <QtGlobal>
#include <stdexcept>

namespace vant::app {
namespace {

using enum OptionKey;

// The help texts are English here; lupdate finds them for the Japanese
// catalogue by their context, which HelpText translates them in.

constexpr OptionRow kOptions[] = {
    {kPrinter, "", "printer", "NAME",
     QT_TRANSLATE_NOOP("vant options",
                       "Makes this printer (a name as vant printers shows it) the current printer first.")},
    {kObject, "", "object", "ID",
     QT_TRANSLATE_NOOP("vant options",
                       "The OBJECT element whose id is ID is the control (default: the first OBJECT with a "
                       "PARAM whose name begins with method and not with methodcnt).")},
    {kPdfOutput, "o", "output", "FILE",
     QT_TRANSLATE_NOOP("vant options",
                       "Where the PDF file goes (default: the page's name with .pdf). - is standard output.")},
    {kPngOutput, "o", "output", "FILE",
     QT_TRANSLATE_NOOP("vant options", "The PNG file the picture of the page is written to.")},
    {kPage, "", "page", "N", QT_TRANSLATE_NOOP("vant options", "The number of the page to show (default: 1).")},
    {kZoom, "", "zoom", "ZOOM",
     QT_TRANSLATE_NOOP("vant options", "The zoom: auto, 300, 200, 150, 100 (default: auto).")},
    {kViewport, "", "viewport", "WxH",
     QT_TRANSLATE_NOOP("vant options", "The size of the view in pixels (default: 1280x800).")},
    {kScale, "", "scale", "R",
     QT_TRANSLATE_NOOP("vant options",
                       "The screen's scale (device pixels per pixel, 1 to 4): the picture draws each pixel "
                       "with R device pixels (default: 1).")},
    {kStatus, "", "status", "",
     QT_TRANSLATE_NOOP("vant options", "Writes the five fields of the status bar to standard output.")},
    {kCopies, "", "copies", "N",
     QT_TRANSLATE_NOOP("vant options",
                       "The number of copies of the print server's job (1 to 9999, default: 1). A PDF file is "
                       "one copy.")},
    {kTitle, "", "title", "TEXT",
     QT_TRANSLATE_NOOP("vant options",
                       "The job's name and the PDF's title (default: the page's file name without its "
                       "extension).")},
    {kSystem, "", "system", "",
     QT_TRANSLATE_NOOP("vant options", "Uses the folders every user's browsers read instead of this user's.")},
    {kRoot, "", "root", "DIR",
     QT_TRANSLATE_NOOP("vant options",
                       "Puts the --system folders under DIR (an absolute path) instead of / (for packaging and "
                       "tests).")},
    {kJson, "", "json", "",
     QT_TRANSLATE_NOOP("vant options",
                       "Writes one line of JSON object for each page (the summary line to standard error).")},
    {kNames, "", "names", "",
     QT_TRANSLATE_NOOP("vant options", "Writes only the printers' names, one a line, as --printer takes them.")},
    {kPrintersJson, "", "json", "", QT_TRANSLATE_NOOP("vant options", "Writes the list as one line of JSON array.")},
};

constexpr OptionKey kPrintOptions[] = {kPrinter, kObject, kCopies, kTitle};
constexpr OptionKey kPdfOptions[] = {kPdfOutput, kObject, kTitle};
constexpr OptionKey kWindowOptions[] = {kPrinter, kObject};
constexpr OptionKey kRenderOptions[] = {kPngOutput, kPage, kZoom, kViewport, kScale, kStatus, kPrinter, kObject};
constexpr OptionKey kMethodsOptions[] = {kObject};
constexpr OptionKey kRegisterOptions[] = {kSystem, kRoot};
constexpr OptionKey kCheckOptions[] = {kPrinter, kObject, kJson};
constexpr OptionKey kPrintersOptions[] = {kNames, kPrintersJson};

constexpr VerbRow kVerbs[] = {
    {"print", Verb::kPrint, PageUse::kOne, false,
     QT_TRANSLATE_NOOP("vant verbs", "Prints the page on the current printer"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Reads the page as the control reads its properties and runs the method list on the "
                       "current printer (the print server's default, else Vant3 PDF), as the print button "
                       "does."),
     kPrintOptions},
    {"pdf", Verb::kPdf, PageUse::kOne, false,
     QT_TRANSLATE_NOOP("vant verbs", "Makes the page a PDF file with Vant3 PDF"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Does what print does with Vant3 PDF as the current printer. With more than one enddoc "
                       "it writes NAME.pdf, NAME-2.pdf, …"),
     kPdfOptions},
    {"check", Verb::kCheck, PageUse::kMany, false,
     QT_TRANSLATE_NOOP("vant verbs", "Checks pages without printing them"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Reads each page as print does and runs it as it would print on the chosen printer "
                       "(default: the current printer), but prints and writes nothing. Writes the control, the "
                       "documents and pages that would print, the messages that would show, and warnings "
                       "(marks off the sheet, fonts replaced, barcodes too narrow or too wide, text past the "
                       "sheet's edge, encodings, PARAMs not read, JAN data printed with other digits than "
                       "written, printers not found), then the line \"N pages checked, F failed, W warnings\". "
                       "The exit status is 0 when no page stops, 1 when a page does."),
     kCheckOptions},
    {"show", Verb::kShow, PageUse::kOne, true, QT_TRANSLATE_NOOP("vant verbs", "Shows the control in a window"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Shows the control in a window as the page shows it (running it at once when Mode is 1, "
                       "the print button and the print preview button)."),
     kWindowOptions},
    {"preview", Verb::kPreview, PageUse::kOne, true, QT_TRANSLATE_NOOP("vant verbs", "Opens the print preview window"),
     QT_TRANSLATE_NOOP("vant verbs", "Opens the print preview window directly, as the print preview button does."),
     kWindowOptions},
    {"render", Verb::kRender, PageUse::kOne, false,
     QT_TRANSLATE_NOOP("vant verbs", "Makes a print preview page a PNG picture"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Does what the print preview window does without a screen and writes the picture of "
                       "page N, shown at the given zoom and view, to a PNG file."),
     kRenderOptions},
    {"methods", Verb::kMethods, PageUse::kOne, false,
     QT_TRANSLATE_NOOP("vant verbs", "Writes the method list read as JSON"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Writes what reading the properties made (the method list, the print button, Mode) to "
                       "standard output as one JSON object."),
     kMethodsOptions},
    {"printers", Verb::kPrinters, PageUse::kNone, false, QT_TRANSLATE_NOOP("vant verbs", "Writes the list of printers"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Writes the print server's printers in order, then Vant3 PDF; * marks the current "
                       "printer. Under each printer, a line \"← NAME\" gives each name that reaches it (a name "
                       "of the printer map, the printer's description)."),
     kPrintersOptions},
    {"host",
     Verb::kHost,
     PageUse::kNone,
     false,
     QT_TRANSLATE_NOOP("vant verbs", "Works as the browser extension's native host"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Runs the page's control over standard input and output as the native messaging host "
                       "the browser extension starts. The browser starts it with chrome-extension://ID/, or "
                       "the manifest's path and the extension's id, as arguments."),
     {}},
    {"register", Verb::kRegister, PageUse::kNone, false,
     QT_TRANSLATE_NOOP("vant verbs", "Registers the native host with the browsers"),
     QT_TRANSLATE_NOOP("vant verbs",
                       "Writes the host manifests by which Chromium, Google Chrome, Microsoft Edge and Firefox "
                       "start this vant as their native host (by default in this user's folders)."),
     kRegisterOptions},
    {"unregister", Verb::kUnregister, PageUse::kNone, false,
     QT_TRANSLATE_NOOP("vant verbs", "Removes the native host's registration"),
     QT_TRANSLATE_NOOP("vant verbs", "Removes the host manifests register wrote."), kRegisterOptions},
};

}  // namespace

std::span<const OptionRow> OptionTable() { return kOptions; }
std::span<const VerbRow> VerbTable() { return kVerbs; }

const OptionRow &OptionOf(OptionKey key) {
  for (const OptionRow &row : kOptions) {
    if (row.key == key) return row;
  }
  throw std::logic_error("an option key without a row");
}

const VerbRow *FindVerb(std::string_view name) {
  for (const VerbRow &row : kVerbs) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

}  // namespace vant::app
