#pragma once
// The program's windows: created once at start-up in their order, kept until the end, and
// destroyed in the reverse order, the main window last.
void CreateForms();
void DestroyForms();
