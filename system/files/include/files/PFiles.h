// The file library in one include: folders, files, data and resource forks,
// and the volume device. Every failure is raised as a ThrowError naming the
// source unit "PFiles".
#pragma once

#include <files/PDataFile.h>
#include <files/PDirectoryDescriptor.h>
#include <files/PFileDescriptor.h>
#include <files/PResourceFile.h>
#include <files/PVolumeDevice.h>
