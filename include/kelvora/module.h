/*
 * kelvora/module.h - the interface between Kelvora and its add-in modules.
 *
 * A module is a shared library (".so") that the user loads from the menu "Verktyg" with
 * "Ladda tilläggsmodul...". It is written in C or C++ against this header alone and needs no
 * other library of the program. Build it as position-independent code, for example:
 *
 *     cc -std=c99 -shared -fPIC -fvisibility=hidden -I<folder holding kelvora/> \
 *        -o mymodule.so mymodule.c
 *
 * ENTRY POINTS. The program looks up these names in the module (with C linkage; mark each one
 * with KV_MODULE_EXPORT):
 *
 *   int32_t Connect(const char* program_path, kv_module module,
 *                   const kv_function_table* table);          required
 *       Called right after loading. program_path is the program's full path (UTF-8), module
 *       the module's own handle and table the program's functions, valid until the module is
 *       unloaded. Return nonzero to stay loaded, 0 to refuse: the program then unloads the
 *       library and tells the user that it could not make contact with the module. A module
 *       should refuse a table it cannot use (see kv_table_usable below). While Connect runs the
 *       module is not listed yet: the toolbar functions do not know its handle.
 *   void PostConnect(void);                                     optional
 *       Called once the module is listed; from here on the toolbar functions find it.
 *   void Disconnect(void);                                      optional
 *       Called right before the module is unloaded: when the user disconnects it in the list
 *       "Tilläggsmoduler" or when the main window closes. Its toolbars are still there.
 *   void <procedure>(void);                                     optional, any number
 *       A toolbar procedure: called when the user clicks a button that names it (see
 *       AddModuleToolbarButton). A name the module does not export makes the click do nothing.
 *
 * Every call into a module comes on the program's user-interface thread, and a module may call
 * the table's functions only from such a call, on that thread.
 *
 * THE FUNCTION TABLE. Every function of the program is a member of kv_function_table. Slots 1
 * to 97 hold the ordinals 1 to 97 in order, each commented with its ordinal ("ordinal 17"); the
 * services for strings and tag attributes follow them. `version` is KV_MODULE_API_VERSION of
 * the program's build and `size` the size of the table in bytes; later versions only add
 * members at the end, so a module built against an older header works with a newer program.
 *
 * CALLING RULES shared by every function of the table:
 *   - Each returns a kv_status. KV_OK: done. KV_ABORTED: the operation had nothing to do and
 *     ended quietly (Undo with nothing to undo). KV_ERROR: it failed; where the program has a
 *     message for the failure the user has seen it, and a main-window command that the
 *     program does not offer returns it too. KV_BAD_ARGUMENT: a value passed in was out of
 *     range (a position, length, line number, handle, letter case, index, attribute object or
 *     a NULL out-pointer); nothing was done. KV_WRONG_THREAD: called on another thread than
 *     the user-interface thread; nothing was done.
 *   - Results come back through out-parameters, the last arguments; an out-pointer must not
 *     be NULL. On the user-interface thread it is cleared (NULL or 0) on entry and filled only
 *     when KV_OK is returned.
 *   - Strings passed in are NUL-terminated Windows-1252 bytes (the document's own encoding),
 *     borrowed for the call only; NULL is the empty string. File names and paths are the
 *     exception: they are in the system's encoding (UTF-8).
 *   - Strings handed out (char** result) are NUL-terminated Windows-1252 bytes (a file name:
 *     UTF-8) that belong to the module from then on; release each with ReleaseString.
 *   - Positions in the text are linear offsets: counted from 0, every line break counting as
 *     two characters (CR LF). The whole text is every line followed by CR LF, the last one
 *     included, and a text being set ends at its first NUL.
 *   - Booleans are int32_t: 0 is false, any other value true; handed out as 0 or 1.
 *   - A letter case is 1 (names in upper case), 2 (lower case) or any other value from 0 to
 *     255 (names as written); values outside 0..255 are bad arguments.
 *   - Nothing is thrown across the interface, in either direction.
 *   - The services ReleaseString and the kv_tag_attributes functions may be called on any
 *     thread; all other functions only on the user-interface thread.
 *
 * THE CURRENT DOCUMENT is the one of the main window's current tab; the text functions act on
 * the main editor, which holds it.
 */
#ifndef KELVORA_MODULE_H
#define KELVORA_MODULE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#define KV_MODULE_EXTERN_C extern "C"
#else
#define KV_MODULE_EXTERN_C
#endif

/* The version of the function table this header describes. */
#define KV_MODULE_API_VERSION 1

/* Marks a module's entry points and toolbar procedures for export with C linkage. */
#if defined(__GNUC__) || defined(__clang__)
#define KV_MODULE_EXPORT KV_MODULE_EXTERN_C __attribute__((visibility("default")))
#else
#define KV_MODULE_EXPORT KV_MODULE_EXTERN_C
#endif

/* A loaded module's handle: given to Connect, never 0, never shared by two loaded modules. */
typedef uint64_t kv_module;

/* The result of every function of the table. */
typedef int32_t kv_status;
enum { KV_OK = 0, KV_ABORTED = 1, KV_ERROR = 2, KV_BAD_ARGUMENT = 3, KV_WRONG_THREAD = 4 };

/* The answers of kvQuestionBox. */
enum { KV_ANSWER_YES = 6, KV_ANSWER_NO = 7, KV_ANSWER_CANCEL = 2 };

/* The options of GetOccurrences: whole words, case-sensitive; combine with |. */
enum { KV_SEARCH_WHOLE_WORD = 1, KV_SEARCH_CASE_SENSITIVE = 2 };

/* The letter cases of EndBuildingTag and InsertSimpleTag. */
enum { KV_CASE_AS_WRITTEN = 0, KV_CASE_UPPER = 1, KV_CASE_LOWER = 2 };

/* The attributes read from a tag by GetTagAttributes: names and values, index-aligned, as
   written in the tag. Opaque: read it with AttributeCount, AttributeName and AttributeValueAt
   and release it with ReleaseTagAttributes. */
typedef struct kv_tag_attributes kv_tag_attributes;

typedef struct kv_function_table kv_function_table;

/* The entry points' types. */
typedef int32_t (*kv_connect_fn)(const char* program_path, kv_module module,
                                 const kv_function_table* table);
typedef void (*kv_procedure_fn)(void);

struct kv_function_table {
    uint32_t version; /* KV_MODULE_API_VERSION of the program */
    uint32_t size;    /* sizeof(kv_function_table) of the program */

    /* --- the current document ---------------------------------------------------------- */
    /* ordinal 1: whether the current document has changes that are not saved. */
    kv_status (*FileModified)(int32_t* result);
    /* ordinal 2: whether the current document has a file on disk. */
    kv_status (*ExistingFile)(int32_t* result);
    /* ordinal 3: the current document's file name (UTF-8; "Nytt dokument" for a new one). */
    kv_status (*FileName)(char** result);

    /* --- document commands: each runs the main window's command as its menu item does ---- */
    kv_status (*PrintAllDocs)(void);  /* ordinal 4: print every document */
    kv_status (*PrintDoc)(void);      /* ordinal 5: print the current document */
    kv_status (*CloseAllDocs)(void);  /* ordinal 6: close every document */
    kv_status (*CloseDoc)(void);      /* ordinal 7: close the current document */
    kv_status (*SaveAllDocsAs)(void); /* ordinal 8: save every document under a new name */
    kv_status (*SaveAllDocs)(void);   /* ordinal 9: save every document */
    kv_status (*SaveDocAs)(void);     /* ordinal 10: save the current document as */
    kv_status (*SaveDoc)(void);       /* ordinal 11: save the current document */
    kv_status (*OpenDoc)(void);       /* ordinal 12: open a document */
    kv_status (*NewFrameWiz)(void);   /* ordinal 13: the frameset wizard */
    kv_status (*NewDocWiz)(void);     /* ordinal 14: the page wizard */
    kv_status (*NewDocTpl)(void);     /* ordinal 15: a new document from a template */
    kv_status (*NewDoc)(void);        /* ordinal 16: a new empty document */

    /* --- messages and settings ------------------------------------------------------------ */
    /* ordinal 17: a question box with an information text and a question; *result is the
       answer: KV_ANSWER_YES, KV_ANSWER_NO or KV_ANSWER_CANCEL. */
    kv_status (*kvQuestionBox)(const char* info, const char* question, int32_t* result);
    /* ordinal 18: the program's message box with a text. */
    kv_status (*kvMessageBox)(const char* text);
    /* ordinal 19: the program's version text, "7.0.0.2". */
    kv_status (*KvVersion)(char** result);
    /* ordinal 20: the about window. */
    kv_status (*ShowAboutDlg)(void);
    /* ordinal 21: the tag-case setting: 1 upper case, 2 lower case, else names as written. */
    kv_status (*GCC)(int32_t* result);
    /* ordinal 22: a text in the tag-case setting's case. */
    kv_status (*FCC)(const char* text, char** result);

    /* --- insert commands: each runs the main window's command as its menu item does ------- */
    kv_status (*InsertHTMLTitle)(void);    /* ordinal 23 */
    kv_status (*InsertDoctype)(void);      /* ordinal 24 */
    kv_status (*InsertDefinition)(void);   /* ordinal 25 */
    kv_status (*InsertCite)(void);         /* ordinal 26 */
    kv_status (*InsertAbbreviation)(void); /* ordinal 27 */
    kv_status (*InsertAcronym)(void);      /* ordinal 28 */
    kv_status (*InsertBuiltInStyle)(void); /* ordinal 29 */
    kv_status (*InsertCSSClass)(void);     /* ordinal 30 */
    kv_status (*InsertCSSXStyle)(void);    /* ordinal 31 */
    kv_status (*InsertCSSSpanStyle)(void); /* ordinal 32 */
    kv_status (*InsertCSSBlock)(void);     /* ordinal 33 */
    kv_status (*InsertLinkStyle)(void);    /* ordinal 34 */
    kv_status (*InsertLinkScript)(void);   /* ordinal 35 */
    kv_status (*InsertLine)(void);         /* ordinal 36 */
    kv_status (*InsertAnchor)(void);       /* ordinal 37 */
    kv_status (*InsertVBComment)(void);    /* ordinal 38 */
    kv_status (*InsertJSComment)(void);    /* ordinal 39 */
    kv_status (*InsertParaD)(void);        /* ordinal 40 */
    kv_status (*InsertOL)(void);           /* ordinal 41 */
    kv_status (*InsertUL)(void);           /* ordinal 42 */
    kv_status (*InsertSpace)(void);        /* ordinal 43 */
    kv_status (*InsertTable)(void);        /* ordinal 44 */
    kv_status (*InsertUnderline)(void);    /* ordinal 45 */
    kv_status (*InsertItalic)(void);       /* ordinal 46 */
    kv_status (*InsertBold)(void);         /* ordinal 47 */
    kv_status (*InsertSub)(void);          /* ordinal 48 */
    kv_status (*InsertSup)(void);          /* ordinal 49 */
    kv_status (*InsertScript)(void);       /* ordinal 50 */
    kv_status (*InsertLink)(void);         /* ordinal 51 */
    kv_status (*InsertImage)(void);        /* ordinal 52 */
    kv_status (*InsertHTMLComment)(void);  /* ordinal 53 */
    kv_status (*InsertBreakB)(void);       /* ordinal 54 */
    kv_status (*InsertParaP)(void);        /* ordinal 55 */
    kv_status (*InsertColor)(void);        /* ordinal 56 */
    kv_status (*InsertAlpha)(void);        /* ordinal 57 */
    kv_status (*InsertDate)(void);         /* ordinal 58 */

    /* --- editor commands on the main editor ---------------------------------------------- */
    /* ordinal 59: the length of the longest line. */
    kv_status (*GetWidestLine)(int32_t* result);
    kv_status (*DecodeOmega)(void); /* ordinal 60: named entities of special characters back */
    kv_status (*EncodeOmega)(void); /* ordinal 61: special characters of the selection coded */
    kv_status (*DecodeAlpha)(void); /* ordinal 62: named entities of national letters back */
    kv_status (*EncodeAlpha)(void); /* ordinal 63: national letters of the selection coded */
    /* ordinal 64: inserts a file's text at the caret (file name in UTF-8). */
    kv_status (*InsertFromFile)(const char* file_name);
    /* ordinal 65: selects the tag at the caret through its end tag. */
    kv_status (*SelectCurrentTagSpan)(void);
    /* ordinal 66: selects the tag at the caret. */
    kv_status (*SelectCurrentTag)(void);
    /* ordinal 67: ROT13 of the selection. */
    kv_status (*ROT13)(void);
    /* ordinal 68: redo; KV_ABORTED when there is nothing to redo. */
    kv_status (*Redo)(void);
    /* ordinal 69: undo; KV_ABORTED when there is nothing to undo. */
    kv_status (*Undo)(void);
    kv_status (*CanRedo)(int32_t* result); /* ordinal 70 */
    kv_status (*CanUndo)(int32_t* result); /* ordinal 71 */

    /* --- simple tags and reading tags ----------------------------------------------------- */
    /* ordinal 72: inserts an empty element at the caret, or wraps the selection in a paired
       one (has_end_tag), its name in letter_case. */
    kv_status (*InsertSimpleTag)(const char* tag_name, int32_t has_end_tag, int32_t letter_case);
    /* ordinal 73: the number of occurrences of a text in the main editor; options of
       KV_SEARCH_WHOLE_WORD and KV_SEARCH_CASE_SENSITIVE (0 .. 255). */
    kv_status (*GetOccurrences)(const char* text, int32_t options, int32_t* result);
    /* ordinal 74: the number of blanks that begin a line (line counted from 0). */
    kv_status (*GetIndentLength)(int32_t line, int32_t* result);
    /* ordinal 75: the element name of a tag text. */
    kv_status (*ExtractTagName)(const char* tag, char** result);
    /* ordinal 76: the content between the start tag of an element text and its end tag. */
    kv_status (*GetTagContents)(const char* tag, char** result);
    /* ordinal 77: the value of an attribute (name compared regardless of case); "" when the
       attributes lack it. */
    kv_status (*GetAttributeValue)(const kv_tag_attributes* attrs, const char* name, char** result);
    /* ordinal 78: reads the attributes of a tag text into a new object that the module
       releases with ReleaseTagAttributes. */
    kv_status (*GetTagAttributes)(const char* tag, kv_tag_attributes** attrs);
    /* ordinal 79: the tag at the caret through its end tag ("" when there is none). */
    kv_status (*GetCurrentTagSpan)(char** result);
    /* ordinal 80: the tag at the caret ("" when there is none). */
    kv_status (*GetCurrentTag)(char** result);

    /* --- building a tag: the main editor's one tag under construction --------------------- */
    /* ordinal 81: the finished tag text, names in letter_case; nothing is inserted. */
    kv_status (*EndBuildingTag)(int32_t letter_case, char** result);
    /* ordinal 82: sets the content. */
    kv_status (*ChangeTagContent)(const char* content);
    /* ordinal 83: adds an attribute written name="name". */
    kv_status (*AddTagAttributeNoVal)(const char* name);
    /* ordinal 84: adds name="value". */
    kv_status (*AddTagAttribute)(const char* name, const char* value);
    /* ordinal 85: starts a tag; has_end_tag makes it a paired element around the content. */
    kv_status (*BeginBuildingTag)(const char* tag_name, int32_t has_end_tag, const char* content);

    /* --- text and selection of the main editor -------------------------------------------- */
    /* ordinal 86: GetSelStart + GetSelLength. */
    kv_status (*GetSelEnd)(int32_t* result);
    /* ordinal 87: sets the selection length, counted from the caret (negative: backwards);
       the end must lie in the text. */
    kv_status (*SetSelLength)(int32_t value);
    kv_status (*GetSelLength)(int32_t* result); /* ordinal 88 */
    /* ordinal 89: puts the caret at an offset (0 .. text length - 2) with no selection. */
    kv_status (*SetSelStart)(int32_t value);
    kv_status (*GetSelStart)(int32_t* result); /* ordinal 90 */
    /* ordinal 91: replaces the selection, or inserts at the caret. */
    kv_status (*SetSelText)(const char* text);
    /* ordinal 92: the selected text ("" without a selection). */
    kv_status (*GetSelText)(char** result);
    /* ordinal 93: replaces the whole text (split into lines at CR LF, LF and CR). */
    kv_status (*SetText)(const char* text);
    /* ordinal 94: the whole text, every line followed by CR LF. */
    kv_status (*GetText)(char** result);

    /* --- module toolbars at the bottom of the main window --------------------------------- */
    /* ordinal 95: adds a button with a caption to the module's newest toolbar; a click calls
       the module's exported procedure proc_name. KV_ERROR when the module has no toolbar. */
    kv_status (*AddModuleToolbarButton)(kv_module module, const char* caption,
                                        const char* proc_name);
    /* ordinal 96: removes the module's newest toolbar with its buttons (KV_OK when it has
       none). Every toolbar of a module goes when the module is unloaded. */
    kv_status (*FreeModuleToolbar)(kv_module module);
    /* ordinal 97: puts a new toolbar with a bold caption at the bottom of the main window;
       it becomes the module's newest. */
    kv_status (*CreateModuleToolbar)(kv_module module, const char* caption);

    /* --- services (any thread) ------------------------------------------------------------ */
    /* Releases a string that a function handed out; KV_BAD_ARGUMENT for any other pointer
       (NULL included) and for one released before. */
    kv_status (*ReleaseString)(char* text);
    /* The number of attributes. */
    kv_status (*AttributeCount)(const kv_tag_attributes* attrs, int32_t* count);
    /* The name and the value of attribute `index` (0 .. count - 1). */
    kv_status (*AttributeName)(const kv_tag_attributes* attrs, int32_t index, char** name);
    kv_status (*AttributeValueAt)(const kv_tag_attributes* attrs, int32_t index, char** value);
    /* Releases an attribute object; KV_BAD_ARGUMENT for anything else and for one released
       before. */
    kv_status (*ReleaseTagAttributes)(kv_tag_attributes* attrs);
};

/* Whether a module built against this header can use a table that the program hands it. */
static inline int kv_table_usable(const kv_function_table* table) {
    return table != 0 && table->version >= KV_MODULE_API_VERSION &&
           table->size >= (uint32_t)sizeof(kv_function_table);
}

#ifdef __cplusplus
}
#endif

#endif /* KELVORA_MODULE_H */
