// Visar när sidan senast ändrades.
document.write("Senast ändrad: " + document.lastModified);
