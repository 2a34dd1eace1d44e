// En länk som går tillbaka till föregående sida i webbläsarens historik.
document.write('<a href="javascript:history.back()">Tillbaka</a>');
