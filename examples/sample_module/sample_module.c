/*
 * A sample add-in module for Kelvora, written in C against <kelvora/module.h> alone.
 *
 * It puts a toolbar "Exempelmodul" with two buttons at the bottom of the main window:
 * "Text" rewrites the document with every byte from 0x80 to 0xFF and reads it back, and
 * "Taggar" builds a link element, inserts it at the caret and reads it again. Its other
 * procedures try the rest of the functions. Everything it sees goes into a log, one line per
 * observation ("key=value", CR and LF written as \r and \n), which SampleLog returns.
 *
 * Build: cc -std=c99 -shared -fPIC -fvisibility=hidden -I<include> -o exempelmodul.so
 *        sample_module.c -lpthread
 */
#define _POSIX_C_SOURCE 200809L

#include <kelvora/module.h>

#include <pthread.h>
#include <stdarg.h>
#include <stdio.h>
#include <string.h>

static const kv_function_table* kv;
static kv_module self;

/* --- the log ------------------------------------------------------------------------------ */

static char log_text[1 << 16];
static size_t log_length;

static void append(const char* bytes, size_t length) {
    if (log_length + length >= sizeof log_text)
        length = sizeof log_text - 1 - log_length;
    memcpy(log_text + log_length, bytes, length);
    log_length += length;
    log_text[log_length] = '\0';
}

/* Writes a line: a printf format. */
static void note(const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    vsnprintf(line, sizeof line, format, args);
    va_end(args);
    append(line, strlen(line));
    append("\n", 1);
}

/* Writes "key=text" with its line breaks escaped. */
static void note_text(const char* key, const char* text) {
    append(key, strlen(key));
    append("=", 1);
    for (; text && *text; ++text) {
        if (*text == '\r')
            append("\\r", 2);
        else if (*text == '\n')
            append("\\n", 2);
        else
            append(text, 1);
    }
    append("\n", 1);
}

/* Writes the string a call handed out through *text and releases it; "(status N)" when the
   call failed. */
static void note_result(const char* key, kv_status status, char** text) {
    if (status != KV_OK) {
        note("%s=(status %d)", key, (int)status);
        return;
    }
    note_text(key, *text);
    kv->ReleaseString(*text);
    *text = NULL;
}

KV_MODULE_EXPORT const char* SampleLog(void) {
    return log_text;
}

KV_MODULE_EXPORT void SampleClearLog(void) {
    log_length = 0;
    log_text[0] = '\0';
}

/* --- helpers ------------------------------------------------------------------------------- */

static int32_t get_int(kv_status (*getter)(int32_t*)) {
    int32_t value = -1;
    getter(&value);
    return value;
}

/* Selects the whole text but its last line break. */
static void select_all(void) {
    char* text = NULL;
    if (kv->GetText(&text) != KV_OK)
        return;
    kv->SetSelStart(0);
    kv->SetSelLength((int32_t)strlen(text) - 2);
    kv->ReleaseString(text);
}

static void note_document(const char* key) {
    char* text = NULL;
    note_result(key, kv->GetText(&text), &text);
}

/* --- entry points ------------------------------------------------------------------------- */

KV_MODULE_EXPORT int32_t Connect(const char* program_path, kv_module module,
                                 const kv_function_table* table) {
    if (!kv_table_usable(table))
        return 0;
    kv = table;
    self = module;
    note("connect=%s", program_path && *program_path ? "path" : "no path");
    /* Not listed yet: the toolbar functions do not know this module. */
    note("connect toolbar=%d", (int)kv->CreateModuleToolbar(self, "Tidigt"));
    return 1;
}

KV_MODULE_EXPORT void PostConnect(void) {
    note("postconnect toolbar=%d", (int)kv->CreateModuleToolbar(self, "Exempelmodul"));
    note("button=%d", (int)kv->AddModuleToolbarButton(self, "Text", "SampleText"));
    note("button=%d", (int)kv->AddModuleToolbarButton(self, "Taggar", "SampleTags"));
}

KV_MODULE_EXPORT void Disconnect(void) {
    char* name = NULL;
    note("disconnect");
    note_result("disconnect filename", kv->FileName(&name), &name);
}

/* --- toolbar procedures --------------------------------------------------------------------- */

/* Text and selection: every byte from 0x80 to 0xFF there and back. */
KV_MODULE_EXPORT void SampleText(void) {
    char high[129];
    char text[160];
    char expected[170];
    char* got = NULL;
    int i;
    for (i = 0; i < 128; ++i)
        high[i] = (char)(0x80 + i);
    high[128] = '\0';
    snprintf(text, sizeof text, "Rad 1\r\n%s\r\nslut", high);
    snprintf(expected, sizeof expected, "%s\r\n", text);

    note("settext=%d", (int)kv->SetText(text));
    if (kv->GetText(&got) == KV_OK) {
        note("text roundtrip=%s", strcmp(got, expected) == 0 ? "ok" : "fel");
        kv->ReleaseString(got);
    }

    kv->SetSelStart(7);
    kv->SetSelLength(128);
    if (kv->GetSelText(&got) == KV_OK) {
        note("seltext roundtrip=%s", strcmp(got, high) == 0 ? "ok" : "fel");
        kv->ReleaseString(got);
    }
    note("selection=%d+%d=%d", (int)get_int(kv->GetSelStart), (int)get_int(kv->GetSelLength),
         (int)get_int(kv->GetSelEnd));

    note("setseltext=%d", (int)kv->SetSelText("\xC5\xE4\xD6"));
    note("after insert=%d", (int)get_int(kv->GetSelStart));
    kv->SetSelStart(3);
    note("collapsed=%d/%d", (int)get_int(kv->GetSelStart), (int)get_int(kv->GetSelEnd));
    note_document("text");
}

/* Building a tag, then reading it back. */
KV_MODULE_EXPORT void SampleTags(void) {
    char* tag = NULL;
    char* text = NULL;
    kv_tag_attributes* attrs = NULL;
    int32_t count = 0;
    int32_t i;

    kv->BeginBuildingTag("a", 1, "L\xE4nk");
    kv->AddTagAttribute("href", "sida.html");
    kv->AddTagAttributeNoVal("nowrap");
    kv->ChangeTagContent("Till sidan \xFF");
    if (kv->EndBuildingTag(KV_CASE_UPPER, &tag) != KV_OK)
        return;
    note_text("tag", tag);
    note("inserted=%d", (int)kv->SetSelText(tag));

    note("attributes=%d", (int)kv->GetTagAttributes(tag, &attrs));
    kv->AttributeCount(attrs, &count);
    note("count=%d", (int)count);
    for (i = 0; i < count; ++i) {
        char* name = NULL;
        char* value = NULL;
        kv->AttributeName(attrs, i, &name);
        kv->AttributeValueAt(attrs, i, &value);
        note("attribute %d=%s:%s", (int)i, name ? name : "", value ? value : "");
        kv->ReleaseString(name);
        kv->ReleaseString(value);
    }
    note_result("value href", kv->GetAttributeValue(attrs, "HREF", &text), &text);
    note_result("value missing", kv->GetAttributeValue(attrs, "saknas", &text), &text);
    note("release=%d", (int)kv->ReleaseTagAttributes(attrs));
    note("release again=%d", (int)kv->ReleaseTagAttributes(attrs));

    note_result("name", kv->ExtractTagName(tag, &text), &text);
    note_result("contents", kv->GetTagContents(tag, &text), &text);
    kv->ReleaseString(tag);
}

/* Reading the tag at the caret of a document the caller prepared. */
KV_MODULE_EXPORT void SampleCurrentTag(void) {
    char* text = NULL;
    const int32_t caret = get_int(kv->GetSelStart);
    note_result("current", kv->GetCurrentTag(&text), &text);
    note_result("span", kv->GetCurrentTagSpan(&text), &text);
    note("selecttag=%d", (int)kv->SelectCurrentTag());
    note("tag selection=%d+%d", (int)get_int(kv->GetSelStart), (int)get_int(kv->GetSelLength));
    kv->SetSelStart(caret);
    note("selectspan=%d", (int)kv->SelectCurrentTagSpan());
    note("span selection=%d+%d", (int)get_int(kv->GetSelStart), (int)get_int(kv->GetSelLength));
    note("simple=%d", (int)kv->InsertSimpleTag("b", 1, KV_CASE_LOWER));
    note_document("text");
}

/* Entities, ROT13 and the width of lines. */
KV_MODULE_EXPORT void SampleEntities(void) {
    kv->SetText("\xE5\xE4\xF6 \xA9 abc\r\n");
    select_all();
    note("encodealpha=%d", (int)kv->EncodeAlpha());
    note_document("alpha");
    select_all();
    note("decodealpha=%d", (int)kv->DecodeAlpha());
    note_document("plain");
    select_all();
    note("encodeomega=%d", (int)kv->EncodeOmega());
    note_document("omega");
    select_all();
    note("decodeomega=%d", (int)kv->DecodeOmega());
    note_document("plain");
    select_all();
    note("rot13=%d", (int)kv->ROT13());
    note_document("rot13");
    note("widest=%d", (int)get_int(kv->GetWidestLine));
}

/* Undo and redo as far as they go. */
KV_MODULE_EXPORT void SampleUndo(void) {
    note("canundo=%d", (int)get_int(kv->CanUndo));
    note("undo=%d", (int)kv->Undo());
    note_document("undone");
    note("canredo=%d", (int)get_int(kv->CanRedo));
    note("redo=%d", (int)kv->Redo());
    note_document("redone");
    note("redo again=%d", (int)kv->Redo());
}

/* A main-window command, as its menu item runs it. */
KV_MODULE_EXPORT void SampleInsertBold(void) {
    kv->SetText("fet\r\n");
    kv->SetSelStart(0);
    kv->SetSelLength(3);
    note("bold=%d", (int)kv->InsertBold());
    note_document("text");
}

/* The current document, the settings and searching. */
KV_MODULE_EXPORT void SampleDocument(void) {
    char* text = NULL;
    int32_t n = -1;
    note_result("filename", kv->FileName(&text), &text);
    note("existing=%d", (int)get_int(kv->ExistingFile));
    note("modified=%d", (int)get_int(kv->FileModified));
    note("gcc=%d", (int)get_int(kv->GCC));
    note_result("fcc", kv->FCC("Tabell\xE5", &text), &text);
    note_result("version", kv->KvVersion(&text), &text);
    note("widest=%d", (int)get_int(kv->GetWidestLine));
    kv->GetIndentLength(1, &n);
    note("indent=%d", (int)n);
    kv->GetOccurrences("ab", 0, &n);
    note("occurrences=%d", (int)n);
    kv->GetOccurrences("ab", KV_SEARCH_CASE_SENSITIVE, &n);
    note("case-sensitive=%d", (int)n);
    kv->GetOccurrences("ab", KV_SEARCH_WHOLE_WORD, &n);
    note("whole words=%d", (int)n);
}

/* A message and a question through the program's boxes. */
KV_MODULE_EXPORT void SampleBoxes(void) {
    int32_t answer = 0;
    note("message=%d", (int)kv->kvMessageBox("Hej fr\xE5n modulen"));
    note("question=%d", (int)kv->kvQuestionBox("Info \xE4", "Fr\xE5ga?", &answer));
    note("answer=%d", (int)answer);
}

/* Values out of range: each call must refuse and change nothing. */
KV_MODULE_EXPORT void SampleBadArguments(void) {
    char* text = NULL;
    int32_t n = 0;
    char stack[8] = "x";
    kv_tag_attributes* attrs = NULL;
    note("SetSelStart(-1)=%d", (int)kv->SetSelStart(-1));
    note("SetSelStart(huge)=%d", (int)kv->SetSelStart(1 << 30));
    note("SetSelLength(huge)=%d", (int)kv->SetSelLength(1 << 30));
    note("SetSelLength(-huge)=%d", (int)kv->SetSelLength(-(1 << 30)));
    note("GetIndentLength(-1)=%d", (int)kv->GetIndentLength(-1, &n));
    note("GetIndentLength(huge)=%d", (int)kv->GetIndentLength(1 << 30, &n));
    note("EndBuildingTag(256)=%d", (int)kv->EndBuildingTag(256, &text));
    note("EndBuildingTag(-1)=%d", (int)kv->EndBuildingTag(-1, &text));
    note("InsertSimpleTag(300)=%d", (int)kv->InsertSimpleTag("b", 1, 300));
    note("GetOccurrences(256)=%d", (int)kv->GetOccurrences("a", 256, &n));
    note("GetText(NULL)=%d", (int)kv->GetText(NULL));
    note("GetSelStart(NULL)=%d", (int)kv->GetSelStart(NULL));
    note("GetTagAttributes(NULL)=%d", (int)kv->GetTagAttributes("<a b=c>", NULL));
    note("InsertFromFile(empty)=%d", (int)kv->InsertFromFile(""));
    note("ReleaseString(NULL)=%d", (int)kv->ReleaseString(NULL));
    note("ReleaseString(foreign)=%d", (int)kv->ReleaseString(stack));
    note("ReleaseTagAttributes(NULL)=%d", (int)kv->ReleaseTagAttributes(NULL));
    note("ReleaseTagAttributes(foreign)=%d",
         (int)kv->ReleaseTagAttributes((kv_tag_attributes*)stack));
    note("AttributeCount(foreign)=%d", (int)kv->AttributeCount((kv_tag_attributes*)stack, &n));
    note("GetAttributeValue(foreign)=%d",
         (int)kv->GetAttributeValue((kv_tag_attributes*)stack, "a", &text));
    kv->GetTagAttributes("<a b=c>", &attrs);
    note("AttributeName(9)=%d", (int)kv->AttributeName(attrs, 9, &text));
    note("AttributeValueAt(-1)=%d", (int)kv->AttributeValueAt(attrs, -1, &text));
    kv->ReleaseTagAttributes(attrs);
    note("CreateModuleToolbar(other)=%d", (int)kv->CreateModuleToolbar(self + 1000, "x"));
    note("AddModuleToolbarButton(other)=%d",
         (int)kv->AddModuleToolbarButton(self + 1000, "x", "SampleText"));
    note("FreeModuleToolbar(0)=%d", (int)kv->FreeModuleToolbar(0));
}

/* A second toolbar, and taking the newest one away again. */
KV_MODULE_EXPORT void SampleSecondToolbar(void) {
    note("second toolbar=%d", (int)kv->CreateModuleToolbar(self, "Mer"));
    note("button=%d", (int)kv->AddModuleToolbarButton(self, "Dokument", "SampleDocument"));
}

KV_MODULE_EXPORT void SampleFreeToolbar(void) {
    note("free toolbar=%d", (int)kv->FreeModuleToolbar(self));
}

/* Calls from a thread of the module's own are refused. */
static void* other_thread(void* unused) {
    static kv_status statuses[3];
    char* text = NULL;
    int32_t n = 0;
    (void)unused;
    statuses[0] = kv->GetText(&text);
    statuses[1] = kv->SetText("fr\xE5n en annan tr\xE5"
                              "d");
    statuses[2] = kv->GetSelStart(&n);
    return statuses;
}

KV_MODULE_EXPORT void SampleOtherThread(void) {
    pthread_t thread;
    void* result = NULL;
    const kv_status* statuses;
    if (pthread_create(&thread, NULL, other_thread, NULL) != 0)
        return;
    pthread_join(thread, &result);
    statuses = (const kv_status*)result;
    note("other thread=%d,%d,%d", (int)statuses[0], (int)statuses[1], (int)statuses[2]);
}
