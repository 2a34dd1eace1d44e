#pragma once

// Installs the markup dialogs, wizards, typed-tag actions and the tag reference into every main
// window made after.
void InstallMarkup();
