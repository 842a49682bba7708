#include "nastran/bulk_data_writer.h"

int WriteDistributedLoadCards() { return CurrentModel->distributedLoadCount; }
int WriteNodeForceCards() { return CurrentModel->nodeLoadCount; }
