#pragma once

// Helpers shared by the benchmark programs.
#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

// An HTML document of `lines` lines with CR LF breaks, about 50 bytes a line.
inline QByteArray MakeHtmlDocument(int lines, int lineBytes = 48) {
    QByteArray doc;
    doc.reserve(static_cast<qsizetype>(lines) * (lineBytes + 2));
    doc += "<html>\r\n";
    for (int i = 1; i < lines - 1; ++i) {
        QByteArray line = "  <p class=\"t\">Rad " + QByteArray::number(i) + " med text";
        while (line.size() < lineBytes - 4)
            line += " ord";
        line.truncate(lineBytes - 4);
        line += "</p>\r\n";
        doc += line;
    }
    doc += "</html>\r\n";
    return doc;
}

// The resident memory of the process in kilobytes.
inline long ResidentKb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The bytes the allocator has handed out and not got back.
inline long long HeapInUse() {
    return static_cast<long long>(mallinfo2().uordblks);
}

// Sets the offscreen platform unless the caller chose one.
inline void UseOffscreenPlatform() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
}
