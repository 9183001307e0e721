#include "PdfText.h"
