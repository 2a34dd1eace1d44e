#include "modules/ExportProcs.h"

#include "editor/view/TextEditorEx.h"
#include "modules/ExportBoundary.h"
#include "platform/Cp1252.h"

#include <algorithm>

using namespace ExportBoundary;

namespace {

// --- the current document, messages and settings ----------------------------------------

kv_status FileModified(int32_t* result) {
    return IntOut(result, [](Tmain& w) { return w.Current().Modified ? 1 : 0; });
}

kv_status ExistingFile(int32_t* result) {
    return IntOut(result, [](Tmain& w) { return w.Current().HasFile ? 1 : 0; });
}

kv_status FileName(char** result) {
    return StringOut(result, [](Tmain& w) { return w.Current().FileName.toUtf8(); });
}

kv_status KvQuestionBox(const char* info, const char* question, int32_t* result) {
    return IntOut(result, [&](Tmain& w) {
        return w.kvQuestionBox(Cp1252::Decode(In(info)), Cp1252::Decode(In(question)));
    });
}

kv_status KvMessageBox(const char* text) {
    return Call([&](Tmain& w) -> kv_status {
        w.kvMessageBox(Cp1252::Decode(In(text)));
        return KV_OK;
    });
}

kv_status KvVersion(char** result) {
    return StringOut(result, [](Tmain&) { return QByteArray(kModuleVersionText); });
}

kv_status GCC(int32_t* result) {
    return IntOut(result, [](Tmain& w) { return static_cast<quint8>(w.TagCase); });
}

kv_status FCC(const char* text, char** result) {
    return StringOut(result, [&](Tmain& w) { return w.FCC(In(text)); });
}

// --- main-window commands: the registered action its menu item runs ------------------------

template <size_t N> struct ActionName {
    constexpr ActionName(const char (&name)[N]) { std::copy_n(name, N, text); }
    char text[N];
};

template <ActionName action> kv_status RunAction() {
    return Call([](Tmain& w) -> kv_status {
        const QString name = QString::fromLatin1(action.text);
        if (!w.Commands().Has(name))
            return KV_ERROR;
        w.Commands().Run(name);
        return KV_OK;
    });
}

// --- the main editor ------------------------------------------------------------------------

TTextEditorEx& Editor(Tmain& w) {
    return *w.CodeEditor;
}

template <class Fn> kv_status EditorDo(Fn&& fn) {
    return Call([&](Tmain& w) -> kv_status {
        fn(Editor(w));
        return KV_OK;
    });
}

// An editor operation without arguments or result, such as DecodeOmega.
template <auto Operation> kv_status EditorStep() {
    return EditorDo([](TTextEditorEx& e) { (e.*Operation)(); });
}

kv_status GetWidestLine(int32_t* result) {
    return IntOut(result, [](Tmain& w) { return Editor(w).GetWidestLine(); });
}

kv_status InsertFromFile(const char* fileName) {
    return Call([&](Tmain& w) -> kv_status {
        const QString name = QString::fromUtf8(In(fileName));
        if (name.isEmpty())
            return KV_BAD_ARGUMENT;
        Editor(w).InsertFromFile(name);
        return KV_OK;
    });
}

// Undo and redo restore a text: no pending snapshot may follow them.
template <auto Step> kv_status UndoOrRedo() {
    return Call([](Tmain& w) -> kv_status {
        (Editor(w).*Step)();
        w.Debounce.UndoneOrRedone();
        w.RequestActionUpdate();
        return KV_OK;
    });
}

kv_status CanRedo(int32_t* result) {
    return IntOut(result, [](Tmain& w) { return Editor(w).CanRedo() ? 1 : 0; });
}
kv_status CanUndo(int32_t* result) {
    return IntOut(result, [](Tmain& w) { return Editor(w).CanUndo() ? 1 : 0; });
}

// --- simple tags and reading tags -------------------------------------------------------------

kv_status InsertSimpleTag(const char* tagName, int32_t hasEndTag, int32_t letterCase) {
    return Call([&](Tmain& w) -> kv_status {
        if (!IsByte(letterCase))
            return KV_BAD_ARGUMENT;
        Editor(w).InsertSimpleTag(In(tagName), hasEndTag != 0, static_cast<quint8>(letterCase));
        return KV_OK;
    });
}

kv_status GetOccurrences(const char* text, int32_t options, int32_t* result) {
    return Call([&](Tmain& w) -> kv_status {
        if (!result)
            return KV_BAD_ARGUMENT;
        *result = 0;
        if (!IsByte(options))
            return KV_BAD_ARGUMENT;
        *result = Editor(w).GetOccurrences(In(text), static_cast<quint8>(options));
        return KV_OK;
    });
}

kv_status GetIndentLength(int32_t line, int32_t* result) {
    return Call([&](Tmain& w) -> kv_status {
        if (!result)
            return KV_BAD_ARGUMENT;
        *result = 0;
        if (line < 0 || line >= Editor(w).Lines.Count())
            return KV_BAD_ARGUMENT;
        *result = Editor(w).GetIndentLength(line);
        return KV_OK;
    });
}

kv_status ExtractTagName(const char* tag, char** result) {
    return StringOut(result, [&](Tmain&) { return TEditorModel::ExtractTagName(In(tag)); });
}

kv_status GetTagContents(const char* tag, char** result) {
    return StringOut(result, [&](Tmain&) { return TEditorModel::GetTagContents(In(tag)); });
}

kv_status GetAttributeValue(const kv_tag_attributes* attrs, const char* name, char** result) {
    return Call([&](Tmain&) -> kv_status {
        if (!result)
            return KV_BAD_ARGUMENT;
        *result = nullptr;
        TTagAttributes copy;
        if (!ModuleHandouts::CopyAttributes(attrs, &copy))
            return KV_BAD_ARGUMENT;
        *result = ModuleHandouts::GiveString(TEditorModel::GetAttributeValue(copy, In(name)));
        return KV_OK;
    });
}

kv_status GetTagAttributes(const char* tag, kv_tag_attributes** attrs) {
    return Call([&](Tmain&) -> kv_status {
        if (!attrs)
            return KV_BAD_ARGUMENT;
        *attrs = nullptr;
        TTagAttributes read;
        TEditorModel::GetTagAttributes(In(tag), read);
        *attrs = ModuleHandouts::GiveAttributes(std::move(read));
        return KV_OK;
    });
}

kv_status GetCurrentTagSpan(char** result) {
    return StringOut(result, [](Tmain& w) { return Editor(w).GetCurrentTagSpan(); });
}
kv_status GetCurrentTag(char** result) {
    return StringOut(result, [](Tmain& w) { return Editor(w).GetCurrentTag(); });
}

// --- building a tag ---------------------------------------------------------------------------

kv_status EndBuildingTag(int32_t letterCase, char** result) {
    return Call([&](Tmain& w) -> kv_status {
        if (!result)
            return KV_BAD_ARGUMENT;
        *result = nullptr;
        if (!IsByte(letterCase))
            return KV_BAD_ARGUMENT;
        QByteArray tag;
        Editor(w).EndBuildingTag(static_cast<quint8>(letterCase), tag);
        *result = ModuleHandouts::GiveString(std::move(tag));
        return KV_OK;
    });
}

kv_status ChangeTagContent(const char* content) {
    return EditorDo([&](TTextEditorEx& e) { e.ChangeTagContent(In(content)); });
}
kv_status AddTagAttributeNoVal(const char* name) {
    return EditorDo([&](TTextEditorEx& e) { e.AddTagAttributeNoVal(In(name)); });
}
kv_status AddTagAttribute(const char* name, const char* value) {
    return EditorDo([&](TTextEditorEx& e) { e.AddTagAttribute(In(name), In(value)); });
}
kv_status BeginBuildingTag(const char* tagName, int32_t hasEndTag, const char* content) {
    return EditorDo(
        [&](TTextEditorEx& e) { e.BeginBuildingTag(In(tagName), hasEndTag != 0, In(content)); });
}

// --- text and selection -----------------------------------------------------------------------

kv_status GetSelEnd(int32_t* result) {
    return IntOut(result,
                  [](Tmain& w) { return Editor(w).GetSelStart() + Editor(w).GetSelLength(); });
}

kv_status SetSelLength(int32_t value) {
    return Call([&](Tmain& w) -> kv_status {
        TTextEditorEx& e = Editor(w);
        const qint64 end = static_cast<qint64>(e.PosToOffset(e.GetCaretPos())) + value;
        if (end < 0 || end > e.TextLength())
            return KV_BAD_ARGUMENT;
        e.SetSelLength(value);
        return KV_OK;
    });
}

kv_status GetSelLength(int32_t* result) {
    return IntOut(result, [](Tmain& w) { return Editor(w).GetSelLength(); });
}

kv_status SetSelStart(int32_t value) {
    return Call([&](Tmain& w) -> kv_status {
        if (value < 0 || value > Editor(w).TextLength() - 2)
            return KV_BAD_ARGUMENT;
        Editor(w).SetSelStart(value);
        return KV_OK;
    });
}

kv_status GetSelStart(int32_t* result) {
    return IntOut(result, [](Tmain& w) { return Editor(w).GetSelStart(); });
}

kv_status SetSelText(const char* text) {
    return EditorDo([&](TTextEditorEx& e) { e.SetSelText(In(text)); });
}

kv_status GetSelText(char** result) {
    return StringOut(result, [](Tmain& w) { return Editor(w).GetSelText(); });
}

kv_status SetText(const char* text) {
    return EditorDo([&](TTextEditorEx& e) {
        // The model splits the borrowed bytes into lines of its own: this is the one copy.
        e.SetText(text ? QByteArray::fromRawData(text, static_cast<qsizetype>(std::strlen(text)))
                       : QByteArray());
    });
}

kv_status GetText(char** result) {
    return StringOut(result, [](Tmain& w) { return Editor(w).Text(); });
}

// --- module toolbars --------------------------------------------------------------------------

kv_status AddModuleToolbarButton(kv_module module, const char* caption, const char* procName) {
    return Call([&](Tmain&) -> kv_status {
        TModuleHost* host = TModuleHost::Holding(module);
        if (!host)
            return KV_BAD_ARGUMENT;
        return host->DoAddModuleToolbarButton(module, Cp1252::Decode(In(caption)), In(procName));
    });
}

kv_status FreeModuleToolbar(kv_module module) {
    return Call([&](Tmain&) -> kv_status {
        TModuleHost* host = TModuleHost::Holding(module);
        return host ? host->DoFreeModuleToolbar(module) : KV_BAD_ARGUMENT;
    });
}

kv_status CreateModuleToolbar(kv_module module, const char* caption) {
    return Call([&](Tmain&) -> kv_status {
        TModuleHost* host = TModuleHost::Holding(module);
        if (!host)
            return KV_BAD_ARGUMENT;
        return host->DoCreateModuleToolbar(module, Cp1252::Decode(In(caption)));
    });
}

kv_function_table MakeTable() {
    kv_function_table t{};
    t.version = KV_MODULE_API_VERSION;
    t.size = sizeof(kv_function_table);

    t.FileModified = FileModified;
    t.ExistingFile = ExistingFile;
    t.FileName = FileName;
    t.PrintAllDocs = RunAction<"APrintAllDoc">;
    t.PrintDoc = RunAction<"APrintDoc">;
    t.CloseAllDocs = RunAction<"AAllDocClose">;
    t.CloseDoc = RunAction<"ADocClose">;
    t.SaveAllDocsAs = RunAction<"ASaveAllDocAs">;
    t.SaveAllDocs = RunAction<"ASaveAllDoc">;
    t.SaveDocAs = RunAction<"ASaveDocAs">;
    t.SaveDoc = RunAction<"ASaveDoc">;
    t.OpenDoc = RunAction<"AOpenDoc">;
    t.NewFrameWiz = RunAction<"ANewFrameWiz">;
    t.NewDocWiz = RunAction<"ANewDocWiz">;
    t.NewDocTpl = RunAction<"ANewDocTpl">;
    t.NewDoc = RunAction<"ANewDoc">;
    t.kvQuestionBox = KvQuestionBox;
    t.kvMessageBox = KvMessageBox;
    t.KvVersion = KvVersion;
    t.ShowAboutDlg = RunAction<"HAboutDlg">;
    t.GCC = GCC;
    t.FCC = FCC;

    t.InsertHTMLTitle = RunAction<"IInsertHTMLTitle">;
    t.InsertDoctype = RunAction<"IInsertDoctype">;
    t.InsertDefinition = RunAction<"IInsertDefinition">;
    t.InsertCite = RunAction<"IInsertCite">;
    t.InsertAbbreviation = RunAction<"IInsertAbbreviation">;
    t.InsertAcronym = RunAction<"IInsertAcronym">;
    t.InsertBuiltInStyle = RunAction<"IInsertBuiltinStyle">;
    t.InsertCSSClass = RunAction<"IInsertCSSClass">;
    t.InsertCSSXStyle = RunAction<"IInsertCSSXStyle">;
    t.InsertCSSSpanStyle = RunAction<"IInsertCSSSpanStyle">;
    t.InsertCSSBlock = RunAction<"IInsertCSSBlock">;
    t.InsertLinkStyle = RunAction<"IInsertLinkStyle">;
    t.InsertLinkScript = RunAction<"IInsertLinkScript">;
    t.InsertLine = RunAction<"IInsertLine">;
    t.InsertAnchor = RunAction<"IInsertAnchor">;
    t.InsertVBComment = RunAction<"IInsertVBComment">;
    t.InsertJSComment = RunAction<"IInsertJSComment">;
    t.InsertParaD = RunAction<"IInsertParaD">;
    t.InsertOL = RunAction<"IInsertOL">;
    t.InsertUL = RunAction<"IInsertUL">;
    t.InsertSpace = RunAction<"IInsertSpace">;
    t.InsertTable = RunAction<"IInsertTable">;
    t.InsertUnderline = RunAction<"IInsertUnderlined">;
    t.InsertItalic = RunAction<"IInsertItalic">;
    t.InsertBold = RunAction<"IInsertBold">;
    t.InsertSub = RunAction<"IInsertLowered">;
    t.InsertSup = RunAction<"IInsertRaised">;
    t.InsertScript = RunAction<"IInsertJavaScript">;
    t.InsertLink = RunAction<"IInsertLink">;
    t.InsertImage = RunAction<"IInsertImage">;
    t.InsertHTMLComment = RunAction<"IInsertHTMLComment">;
    t.InsertBreakB = RunAction<"IInsertBreakB">;
    t.InsertParaP = RunAction<"IInsertParaP">;
    t.InsertColor = RunAction<"IInsertColor">;
    t.InsertAlpha = RunAction<"IInsertAlpha">;
    t.InsertDate = RunAction<"IInsertDate">;

    t.GetWidestLine = GetWidestLine;
    t.DecodeOmega = EditorStep<&TTextEditorEx::DecodeOmega>;
    t.EncodeOmega = EditorStep<&TTextEditorEx::EncodeOmega>;
    t.DecodeAlpha = EditorStep<&TTextEditorEx::DecodeAlpha>;
    t.EncodeAlpha = EditorStep<&TTextEditorEx::EncodeAlpha>;
    t.InsertFromFile = InsertFromFile;
    t.SelectCurrentTagSpan = EditorStep<&TTextEditorEx::SelectCurrentTagSpan>;
    t.SelectCurrentTag = EditorStep<&TTextEditorEx::SelectCurrentTag>;
    t.ROT13 = EditorStep<&TTextEditorEx::ROT13>;
    t.Redo = UndoOrRedo<&TTextEditorEx::Redo>;
    t.Undo = UndoOrRedo<&TTextEditorEx::Undo>;
    t.CanRedo = CanRedo;
    t.CanUndo = CanUndo;

    t.InsertSimpleTag = InsertSimpleTag;
    t.GetOccurrences = GetOccurrences;
    t.GetIndentLength = GetIndentLength;
    t.ExtractTagName = ExtractTagName;
    t.GetTagContents = GetTagContents;
    t.GetAttributeValue = GetAttributeValue;
    t.GetTagAttributes = GetTagAttributes;
    t.GetCurrentTagSpan = GetCurrentTagSpan;
    t.GetCurrentTag = GetCurrentTag;

    t.EndBuildingTag = EndBuildingTag;
    t.ChangeTagContent = ChangeTagContent;
    t.AddTagAttributeNoVal = AddTagAttributeNoVal;
    t.AddTagAttribute = AddTagAttribute;
    t.BeginBuildingTag = BeginBuildingTag;

    t.GetSelEnd = GetSelEnd;
    t.SetSelLength = SetSelLength;
    t.GetSelLength = GetSelLength;
    t.SetSelStart = SetSelStart;
    t.GetSelStart = GetSelStart;
    t.SetSelText = SetSelText;
    t.GetSelText = GetSelText;
    t.SetText = SetText;
    t.GetText = GetText;

    t.AddModuleToolbarButton = AddModuleToolbarButton;
    t.FreeModuleToolbar = FreeModuleToolbar;
    t.CreateModuleToolbar = CreateModuleToolbar;

    t.ReleaseString = ModuleHandouts::ReleaseString;
    t.AttributeCount = ModuleHandouts::AttributeCount;
    t.AttributeName = ModuleHandouts::AttributeName;
    t.AttributeValueAt = ModuleHandouts::AttributeValueAt;
    t.ReleaseTagAttributes = ModuleHandouts::ReleaseAttributes;
    return t;
}

// Slot i holds ordinal i: the first slot follows the version and the size, each one pointer on.
constexpr size_t SlotOffset(int ordinal) {
    return offsetof(kv_function_table, FileModified) + size_t(ordinal - 1) * sizeof(void (*)());
}
static_assert(offsetof(kv_function_table, FileModified) == 8);
static_assert(offsetof(kv_function_table, kvQuestionBox) == SlotOffset(17));
static_assert(offsetof(kv_function_table, InsertHTMLTitle) == SlotOffset(23));
static_assert(offsetof(kv_function_table, InsertDate) == SlotOffset(58));
static_assert(offsetof(kv_function_table, GetWidestLine) == SlotOffset(59));
static_assert(offsetof(kv_function_table, CanUndo) == SlotOffset(71));
static_assert(offsetof(kv_function_table, GetCurrentTag) == SlotOffset(80));
static_assert(offsetof(kv_function_table, BeginBuildingTag) == SlotOffset(85));
static_assert(offsetof(kv_function_table, GetText) == SlotOffset(94));
static_assert(offsetof(kv_function_table, CreateModuleToolbar) == SlotOffset(97));
static_assert(offsetof(kv_function_table, ReleaseString) == SlotOffset(98));

} // namespace

const kv_function_table* ModuleFunctionTable() {
    static const kv_function_table table = MakeTable();
    return &table;
}
