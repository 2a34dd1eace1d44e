#pragma once

#include "app/core/WebsiteData.h"

#include <QString>
#include <QStringList>

class TBoxes;
class TCommandRegistry;

// The list of web sites as its commands see it.
class TSiteList {
public:
    virtual ~TSiteList() = default;
    // The sites changed: the list shows them again, none selected.
    virtual void ShowSites() = 0;
    // Selects a site and shows its properties and files; -1 empties both.
    virtual void ShowSite(int index) = 0;
    // The selected site; -1 when there is none.
    virtual int CurrentSite() const = 0;
};

// The user's web sites: the list kept in the folder "Webbplatser", and the commands that add
// and remove a site and change its properties.
class TWebSiteCommands {
public:
    explicit TWebSiteCommands(TBoxes& boxes);

    // Registers AddSite, RemoveSite and SetSiteProperties. RemoveSite without a request
    // removes the selected site.
    void Register(TCommandRegistry& commands);
    void SetList(TSiteList* list) { list_ = list; }

    // The sites of "Webbplatser" in the data folder, read at start and written at the end.
    static QString Folder();
    void Load();
    void Save();

    void AddSite(const QString& localPath, const QStringList& properties);
    void RemoveSite(int index);
    // New "Name=Value" lines of a site; they must keep a "Titel".
    void SetSiteProperties(int index, const QStringList& properties);

    TWebsitesData Sites;

private:
    TBoxes& boxes_;
    TSiteList* list_ = nullptr;
};
