#include "subroutines/statements/InterimCommands.h"

#include "app/mainwindow/MainWin.h"
#include "app/panels/SearchPanel.h"
#include "platform/Cp1252.h"
#include "subroutines/statements/StatementRequests.h"

#include <QCheckBox>
#include <QComboBox>

void RegisterStatementCommands(Tmain& main) {
    TCommandRegistry& commands = main.Commands();
    if (!commands.Has(QStringLiteral("ShowStatistics")))
        commands.Add(QStringLiteral("ShowStatistics"), QStringLiteral("Statistik"), {},
                     [&main] { main.ShowStatistics(); });
    if (!commands.Has(QStringLiteral("ClearDoc")))
        commands.Add(QStringLiteral("ClearDoc"), QStringLiteral("Töm dokumentet"), {},
                     [&main] { main.ClearDoc(); });
    if (!commands.Has(QStringLiteral("SearchNext")))
        commands.AddWithRequest(QStringLiteral("SearchNext"), QStringLiteral("Sök nästa"), {},
                                [&main](const TCommandRequest& request) {
                                    // The search panel gets the request's text and options, as if
                                    // typed there.
                                    if (const auto* find =
                                            std::any_cast<TFindNextRequest>(&request)) {
                                        TSearchPanel& panel = *main.searchpn;
                                        panel.vers->setChecked(find->MatchCase);
                                        panel.whwo->setChecked(find->WholeWord);
                                        panel.searchtext->setEditText(Cp1252::Decode(find->Text));
                                    }
                                    main.SearchNext();
                                });
}
