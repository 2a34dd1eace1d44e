// En knapp som skriver ut sidan.
document.write('<input type="button" value="Skriv ut sidan" onclick="window.print()">');
