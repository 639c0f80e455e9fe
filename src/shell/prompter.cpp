#include "shell/prompter.h"

Prompter::~Prompter() = default;
