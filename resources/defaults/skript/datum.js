// Skriver dagens datum i formen 2006-03-07 där skriptet står.
var idag = new Date();
function tvaSiffror(n) {
    return (n < 10 ? "0" : "") + n;
}
document.write(idag.getFullYear() + "-" + tvaSiffror(idag.getMonth() + 1) + "-" +
    tvaSiffror(idag.getDate()));
