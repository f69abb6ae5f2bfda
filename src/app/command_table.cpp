#include "app/command_table.h"

#include <stdexcept>

namespace vant::app {
namespace {

using enum OptionKey;

constexpr OptionRow kOptions[] = {
    {kPrinter, "", "printer", "NAME",
     "このプリンター (vant printers が示す名前) を現在のプリンターにしてから実行します。"},
    {kObject, "", "object", "ID",
     "id が ID の OBJECT 要素をコントロールとします (既定: 名前が method で始まり methodcnt で始まらない PARAM を持つ最初の OBJECT)。"},
    {kPdfOutput, "o", "output", "FILE",
     "PDF ファイルの出力先です (既定: ページの名前に .pdf を付けたもの)。- は標準出力です。"},
    {kPngOutput, "o", "output", "FILE", "ページの画像を書き込む PNG ファイルです。"},
    {kPage, "", "page", "N", "表示するページの番号です (既定: 1)。"},
    {kZoom, "", "zoom", "ZOOM", "倍率です: auto, 300, 200, 150, 100 (既定: auto)。"},
    {kViewport, "", "viewport", "WxH", "表示領域の大きさ (ピクセル) です (既定: 1280x800)。"},
    {kScale, "", "scale", "R",
     "画面の拡大率 (デバイスピクセル比、1 から 4) です。画像は 1 ピクセルを R 倍の画素で描きます (既定: 1)。"},
    {kStatus, "", "status", "", "ステータスバーの 5 つの欄を標準出力に書きます。"},
    {kCopies, "", "copies", "N",
     "印刷サーバーに送るジョブの部数です (1 から 9999、既定: 1)。PDF ファイルは 1 部です。"},
    {kTitle, "", "title", "TEXT",
     "ジョブの名前と PDF の表題です (既定: ページのファイル名から拡張子を除いたもの)。"},
    {kSystem, "", "system", "", "利用者ごとではなく、すべての利用者のブラウザーが読むフォルダーを使います。"},
    {kRoot, "", "root", "DIR", "--system のフォルダーを / ではなく DIR (絶対パス) の下に置きます (パッケージの作成とテスト用)。"},
    {kJson, "", "json", "", "ページごとに 1 行の JSON オブジェクトを書きます (要約の行は標準エラー出力へ)。"},
    {kNames, "", "names", "", "プリンターの名前だけを、--printer が受け付けるとおりに 1 行に 1 つ書きます。"},
    {kPrintersJson, "", "json", "", "一覧を 1 行の JSON 配列として書きます。"},
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
    {"print", Verb::kPrint, PageUse::kOne, false, "ページを現在のプリンターで印刷します",
     "ページをコントロールがプロパティを読むように読み、印刷ボタンと同じく現在のプリンター "
     "(印刷サーバーの既定、なければ Vant3 PDF) でメソッドの一覧を実行します。",
     kPrintOptions},
    {"pdf", Verb::kPdf, PageUse::kOne, false, "ページを Vant3 PDF で PDF ファイルにします",
     "print と同じことを Vant3 PDF を現在のプリンターにして行います。enddoc が複数あると "
     "NAME.pdf, NAME-2.pdf, … に書きます。",
     kPdfOptions},
    {"check", Verb::kCheck, PageUse::kMany, false, "ページを印刷せずに確かめます",
     "各ページを print と同じく読み、選んだプリンター (既定: 現在のプリンター) での印刷と同じく実行しますが、"
     "何も印刷せず何も書きません。コントロール、印刷される文書とページ、表示されるメッセージ、警告 (用紙から"
     "はみ出す印、置き換わるフォント、細すぎる・広すぎるバーコード、用紙の端を越える文字列、文字コード、読まれない "
     "PARAM、書いたのと違う桁で印刷される JAN のデータ、見つからないプリンター) を書き、最後に \"N pages checked, F failed, W warnings\" の行を書きます。終了ステータスは、どのページも"
     "中断しなければ 0、中断するページがあれば 1 です。",
     kCheckOptions},
    {"show", Verb::kShow, PageUse::kOne, true, "コントロールをウィンドウに表示します",
     "ページが表示するとおりにコントロールをウィンドウに表示します (Mode が 1 なら自動実行、"
     "印刷ボタンと印刷プレビューボタン)。",
     kWindowOptions},
    {"preview", Verb::kPreview, PageUse::kOne, true, "印刷プレビューのウィンドウを開きます",
     "印刷プレビューボタンと同じく、印刷プレビューのウィンドウを直接開きます。", kWindowOptions},
    {"render", Verb::kRender, PageUse::kOne, false, "印刷プレビューのページを PNG 画像にします",
     "印刷プレビューのウィンドウが行うことを画面なしで行い、指定の倍率と表示領域で N ページ目を"
     "表示した画像を PNG ファイルに書きます。",
     kRenderOptions},
    {"methods", Verb::kMethods, PageUse::kOne, false, "読み込んだメソッドの一覧を JSON で書きます",
     "プロパティの読み込みが作ったもの (メソッドの一覧、印刷ボタン、Mode) を 1 つの JSON "
     "オブジェクトとして標準出力に書きます。",
     kMethodsOptions},
    {"printers", Verb::kPrinters, PageUse::kNone, false, "プリンターの一覧を書きます",
     "印刷サーバーのプリンターを順に、最後に Vant3 PDF を書きます。* が現在のプリンターです。各プリンターの下に、"
     "そのプリンターに届く名前 (プリンターの対応表の名前、プリンターの説明) を「← 名前」の行で書きます。",
     kPrintersOptions},
    {"host", Verb::kHost, PageUse::kNone, false, "ブラウザー拡張のネイティブホストとして働きます",
     "ブラウザー拡張が起動するネイティブメッセージングのホストとして、標準入出力でページのコントロールを"
     "実行します。ブラウザーは chrome-extension://ID/ や マニフェストのパスと拡張の id を引数に起動します。",
     {}},
    {"register", Verb::kRegister, PageUse::kNone, false, "ブラウザーにネイティブホストを登録します",
     "Chromium、Google Chrome、Microsoft Edge、Firefox がこの vant をネイティブホストとして起動できるよう、ホストの"
     "マニフェストを書きます (既定ではこの利用者のフォルダーに)。",
     kRegisterOptions},
    {"unregister", Verb::kUnregister, PageUse::kNone, false, "ネイティブホストの登録を取り除きます",
     "register が書いたホストのマニフェストを取り除きます。", kRegisterOptions},
};

}  // namespace

std::span<const OptionRow> OptionTable() { return kOptions; }
std::span<const VerbRow> VerbTable() { return kVerbs; }

const OptionRow& OptionOf(OptionKey key) {
  for (const OptionRow& row : kOptions) {
    if (row.key == key) return row;
  }
  throw std::logic_error("an option key without a row");
}

const VerbRow* FindVerb(std::string_view name) {
  for (const VerbRow& row : kVerbs) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

}  // namespace vant::app
