#pragma once

class Tmain;

// The paste commands of a main window: "RPasteInFormatIndex" ("Klistra in som...", in
// "&Redigera") and "PasteInFormat", whose request is a format's name (a QString): it pastes the
// clipboard's text in that format. An unknown name pastes nothing and throws EKelvoraError
// with the message "Ogiltigt inklistringsformat.".
void InstallPasteFormats(Tmain& window);
