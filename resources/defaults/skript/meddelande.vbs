' Visar ett meddelande när sidan öppnas.
MsgBox "Välkommen till sidan!"
