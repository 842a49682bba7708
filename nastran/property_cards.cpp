#include "nastran/bulk_data_writer.h"

int WritePropertyCards() { return CurrentModel->propertyCount; }
