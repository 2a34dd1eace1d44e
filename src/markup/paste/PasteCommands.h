#pragma once

class Tmain;

// The paste commands of a main window: "RPasteInFormatIndex" ("Klistra in som...", in
// "&Redigera") and "PasteInFormat", whose request is a TPasteFormatRequest: it pastes the
// clipboard's text in that format. An unknown name pastes nothing: it sets the request's Known
// flag false or, without one, throws EKelvoraError "Ogiltigt inklistringsformat.".
void InstallPasteFormats(Tmain& window);
