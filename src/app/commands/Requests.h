#pragma once

// The request types of the commands that take input (see TCommandRequest in
// CommandRegistry.h). A command run with an empty request gets its input the way its menu item
// does: from its panel or from a dialog.

#include "app/commands/CommandRegistry.h"
#include "platform/Graphics.h"
#include "platform/SilentAbort.h"

#include <QString>
#include <QStringList>
#include <any>

// Which documents a replace-all or an occurrences listing covers.
enum class TSearchScope { CurrentDocument, AllDocuments };

// SearchNext, ReplaceCurrent, ReplaceAllOccurrences, ShowOccurrences: the texts as typed (the
// commands that take escapes read "\n" and "\t" themselves) and the search options.
struct TSearchRequest {
    QString Text{};
    QString Replacement{};
    bool MatchCase = false;
    bool WholeWords = false;
    bool FromStart = false; // the find starts at the top of the text
    TSearchScope Scope = TSearchScope::CurrentDocument;
};

// GotoSpecified: what to go to ("rad" or "tecken", in any letter case) and the number as typed.
struct TGotoRequest {
    QString Kind{};
    QString Value{};
};

// AOpenDoc: a file to open as a document, without the open dialog.
struct TOpenRequest {
    QString FileName{};
};

// IInsertAnchor, IInsertLinkScript, IInsertLinkStyle: the anchor's name or the linked path,
// without the prompt.
struct TInsertTextRequest {
    QString Text{};
};

// IInsertColor: the colour to write, without the colour dialog.
struct TColorRequest {
    TColor Color = clBlack;
};

// RDocPaste: entry `Index` of the clipboard history; -1 pastes the system clipboard.
struct TPasteRequest {
    int Index = -1;
};

// GotoBookmark: the 1-based line to select.
struct TLineRequest {
    int Line = 0;
};

// AddSite: a web site's root folder and its "Name=Value" properties.
struct TSiteRequest {
    QString LocalPath{};
    QStringList Properties{};
};

// RemoveSite and SetSiteProperties: a site by its place in the list, and its new properties.
struct TSiteChangeRequest {
    int Index = -1;
    QStringList Properties{};
};

// The request a command got, when it got one of type T; null for an empty request. A request
// of another type is a fault of the caller and ends the command with an error.
template <class T> const T* RequestOf(const TCommandRequest& request) {
    if (!request.has_value())
        return nullptr;
    if (const T* typed = std::any_cast<T>(&request))
        return typed;
    throw EKelvoraError(QStringLiteral("EInvalidArgument"),
                        QStringLiteral("Kommandot fick indata av fel slag."));
}
