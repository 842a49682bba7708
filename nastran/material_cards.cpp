#include "nastran/bulk_data_writer.h"

int WriteMaterialCards() { return CurrentModel->materialCount; }
