#pragma once
// The history moved to the model with the document that owns it.
#include "model/document_history.h"
