#pragma once

// Gives the texture library the program's message box and the resources
// compiled into this executable (":/textures/<TYPE>/<name>").
void InstallTextureSeam();
